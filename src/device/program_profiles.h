// Per-program assignments: a profile names a program by its executable's
// file name and holds assignments that replace the default ones (those of
// ButtonSettingList, the "All programs" profile) for the buttons they name
// while that program owns the foreground window. The driver library is
// told each profile whole (VX_SetAppProfile) whenever it changes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model_catalogue.h"
#include "device/button_setting.h"

namespace tessaro {

struct ProgramProfile {
  std::u16string program;      // the executable's file name, as it was added
  std::u16string path;         // where it was found, for its icon; may be empty
  ButtonSettingArray entries;  // no two share a trigger identity
};
using ProgramProfileArray = std::vector<ProgramProfile>;

// The profiles in the order they were added. Guarded by ButtonSettingLock,
// as ButtonSettingList is: walk or change it only while holding that lock.
ProgramProfileArray& ProgramProfileList();

// Copies taken under the lock.
ProgramProfileArray CopyProgramProfileList();
// The profile's entries; nullopt when program has no profile.
std::optional<ButtonSettingArray> CopyProfileEntries(std::u16string_view program);

// The profile of program (file names compared as Windows compares them),
// or null.
ProgramProfile* FindProgramProfile(ProgramProfileArray& list, std::u16string_view program);
const ProgramProfile* FindProgramProfile(const ProgramProfileArray& list, std::u16string_view program);

// Tells the library the profile's assignments, all of them.
void ProgramProfileToDriver(const ProgramProfile& profile);

// ApplyButtonSetting's rule within the profile of program (a function of
// type 255 takes the profile's assignment away, so the default acts), then
// the profile goes to the library. False when program has no profile.
bool ApplyProfileSetting(std::u16string_view program, const BUTTON_SETTING_DEF& setting);

// A profile without assignments for program; false when the name is no
// file name or the program has a profile already.
bool AddProgramProfile(std::u16string_view program, std::u16string_view path);
// False when program has no profile.
bool RemoveProgramProfile(std::u16string_view program);
// Takes every assignment of the model out of the profile; how many went.
int RemoveProfileModelAssignments(std::u16string_view program, const MODEL_DEF& model);

// The list becomes `loaded` and the library follows: a profile whose
// assignments differ from the old list's is told again, and a profile of
// the old list that is not in the new one is removed from the library.
void ReplaceProgramProfiles(ProgramProfileArray loaded);

}  // namespace tessaro
