// The stored profiles: "appProfiles.json" beside the settings file,
// rewritten whole after every change of a profile and read back into the
// driver library on every device refresh, as the settings file is. The
// settings file itself is never touched for them.
#pragma once

#include <string>
#include <string_view>

#include "catalog/settings_view.h"

namespace tessaro {

inline constexpr std::u16string_view kProfileFileName = u"appProfiles.json";
// A damaged profile file is kept under this name (then "-2", "-3", ...
// before ".json").
inline constexpr std::u16string_view kDamagedProfileFileName = u"appProfiles.damaged";

std::u16string ProfileFilePath();

// ProgramProfileList and the library's profiles become what the file
// holds (none without a file). A file that cannot be read whole is kept
// aside under a new name, what could be read of it is written in its place
// and the user is told once; the default assignments work throughout.
void LoadProgramProfiles(SettingsView& view);

// Writes ProgramProfileList to the file: replaced whole or not at all, left
// alone when it holds the same bytes. Never before the first load (the
// list does not hold the file's profiles yet) and never over a damaged file
// that could not be kept aside. False when nothing was written for one of
// these reasons or the write failed.
bool SaveProgramProfiles();

}  // namespace tessaro
