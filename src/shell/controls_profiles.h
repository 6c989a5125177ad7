// The profile list of the title bar: "All programs", each program's
// profile with its icon, "Add a program…" (a folder of the programs that
// show windows now and have no profile yet) and, while a program's profile
// is shown, "Remove this profile"; and what choosing each row does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/menu_row.h"
#include "device/main_window.h"
#include "device/program_profiles.h"

namespace tessaro {

// A program that shows a window now.
struct RunningProgram {
  std::u16string name;  // its executable's file name
  std::u16string path;  // its executable's full path
};

// The programs of the given executable paths (one per visible window),
// each once, in the order of their names, without the program at own_path
// and without those that have a profile.
std::vector<RunningProgram> ProgramsToAdd(const std::vector<std::u16string>& window_programs,
                                          std::u16string_view own_path, const ProgramProfileArray& profiles);

// What a row of the list does; its id.
enum ProfileRowKind : int32_t {
  kShowAllProgramsRow = 1,
  kShowProfileRow,  // value: the profile's position in the list it was built from
  kAddProgramRow,   // value: the program's position among the programs to add
  kRemoveProfileRow,
};

// The rows; icon_of gives a program's picture by its path (empty when it
// is not known), or null.
RowArray BuildProfileMenuRows(const ProgramProfileArray& profiles, std::u16string_view shown,
                              const std::vector<RunningProgram>& to_add, const TextMap& texts,
                              const std::function<void*(const std::u16string& path)>& icon_of);

// Shows the default assignments, or the profile of program (false when it
// has none); the marker column is rebuilt.
void ShowAllPrograms(MainWindowControl& window);
bool ShowProgramProfile(std::u16string_view program, MainWindowControl& window);

// Adds an empty profile for the program, saves and shows it; a program
// that has one by now is only shown. False when its name is no file name.
bool AddAndShowProfile(const RunningProgram& program, MainWindowControl& window);

// Removes the shown program's profile when `confirm` (the question to the
// user) says yes, saves, and shows "All programs". The program's buttons
// act with the default assignments again at once. True when one went.
bool RemoveShownProfile(const std::function<bool()>& confirm, MainWindowControl& window);

}  // namespace tessaro
