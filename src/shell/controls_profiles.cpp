#include "shell/controls_profiles.h"

#include <algorithm>
#include <iterator>

#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "program_name.h"
#include "shell/profile_selection.h"

namespace tessaro {
namespace {

// The folder row of the programs to add; its children name it as parent.
constexpr int32_t kAddFolderIndex = 1;

std::u16string Text(const TextMap& texts, std::u16string_view key) {
  const auto found = texts.find(std::u16string(key));
  return found == texts.end() ? std::u16string() : found->second;
}

_QnItemListDB Row(ProfileRowKind kind, std::u16string_view name, int32_t value = 0, void* image = nullptr) {
  _QnItemListDB row{};
  row.id = kind;
  row.function_index = value;
  row.image = image;
  CopyToField(name, row.name, std::size(row.name));
  return row;
}

bool ByName(const RunningProgram& a, const RunningProgram& b) {
  return FoldProgramName(a.name) < FoldProgramName(b.name);
}

}  // namespace

std::vector<RunningProgram> ProgramsToAdd(const std::vector<std::u16string>& window_programs,
                                          std::u16string_view own_path, const ProgramProfileArray& profiles) {
  const std::u16string own_key = FoldProgramName(own_path);
  std::vector<RunningProgram> programs;
  for (const std::u16string& path : window_programs) {
    const std::u16string_view name = ProgramFileName(path);
    if (!ValidProgramName(name) || FoldProgramName(path) == own_key || FindProgramProfile(profiles, name)) continue;
    const bool listed = std::any_of(programs.begin(), programs.end(),
                                    [&](const RunningProgram& p) { return SameProgramName(p.name, name); });
    if (!listed) programs.push_back({std::u16string(name), path});
  }
  std::sort(programs.begin(), programs.end(), ByName);
  return programs;
}

RowArray BuildProfileMenuRows(const ProgramProfileArray& profiles, std::u16string_view shown,
                              const std::vector<RunningProgram>& to_add, const TextMap& texts,
                              const std::function<void*(const std::u16string& path)>& icon_of) {
  RowArray rows;
  AddRow(rows, Row(kShowAllProgramsRow, Text(texts, u"all programs")));
  for (size_t i = 0; i < profiles.size(); ++i) {
    AddRow(rows, Row(kShowProfileRow, profiles[i].program, static_cast<int32_t>(i), icon_of(profiles[i].path)));
  }
  _QnItemListDB line{};
  line.kind = kRowSeparator;
  AddRow(rows, line);
  _QnItemListDB add = Row(kAddProgramRow, Text(texts, u"add program"), -1);
  add.kind = kRowFolder;
  add.index = kAddFolderIndex;
  AddRow(rows, add);
  for (size_t i = 0; i < to_add.size(); ++i) {
    _QnItemListDB program = Row(kAddProgramRow, to_add[i].name, static_cast<int32_t>(i), icon_of(to_add[i].path));
    program.parent = kAddFolderIndex;
    AddRow(rows, program);
  }
  if (!shown.empty()) AddRow(rows, Row(kRemoveProfileRow, Text(texts, u"remove profile")));
  return rows;
}

void ShowAllPrograms(MainWindowControl& window) {
  SelectProfile({});
  window.RebuildFunctionMenu();
}

bool ShowProgramProfile(std::u16string_view program, MainWindowControl& window) {
  if (!CopyProfileEntries(program)) return false;
  SelectProfile(program);
  window.RebuildFunctionMenu();
  return true;
}

bool AddAndShowProfile(const RunningProgram& program, MainWindowControl& window) {
  if (!ValidProgramName(program.name)) return false;
  {
    const SettingsChange change;
    if (AddProgramProfile(program.name, program.path)) SaveProgramProfiles();
  }
  return ShowProgramProfile(program.name, window);
}

bool RemoveShownProfile(const std::function<bool()>& confirm, MainWindowControl& window) {
  const std::u16string program = ShownProfile();
  if (program.empty()) return false;
  // Not while asking: a settings load must not wait on the user.
  if (!confirm()) return false;
  {
    const SettingsChange change;
    if (!RemoveProgramProfile(program)) return false;
    SaveProgramProfiles();
  }
  ShowAllPrograms(window);
  return true;
}

}  // namespace tessaro
