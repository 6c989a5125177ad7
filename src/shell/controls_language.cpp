#include "shell/controls_language.h"

#include <mutex>

#include "catalog/function_catalogue.h"
#include "catalog/language_table.h"
#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"

namespace tessaro {
namespace {

// A name as the name field holds it.
std::u16string AsStored(std::u16string_view name) {
  char16_t field[kFunctionNameUnits];
  CopyToField(name, field, kFunctionNameUnits);
  return std::u16string(field, FieldLength(field, kFunctionNameUnits));
}

}  // namespace

int RenameAssignments(const std::unordered_map<std::u16string, std::u16string>& new_names) {
  if (new_names.empty()) return 0;
  // Names longer than the field were stored cut, and are found cut.
  std::unordered_map<std::u16string, const std::u16string*> by_stored_name;
  for (const auto& [old_name, new_name] : new_names) by_stored_name.emplace(AsStored(old_name), &new_name);
  std::lock_guard hold(ButtonSettingLock());
  int renamed = 0;
  const auto rename = [&](ButtonSettingArray& list) {
    for (BUTTON_SETTING_DEF& entry : list) {
      const std::u16string name(entry.function_name, FieldLength(entry.function_name, kFunctionNameUnits));
      const auto found = by_stored_name.find(name);
      if (found == by_stored_name.end()) continue;
      CopyToField(*found->second, entry.function_name, kFunctionNameUnits);
      ++renamed;
    }
  };
  rename(ButtonSettingList());
  for (ProgramProfile& profile : ProgramProfileList()) rename(profile.entries);
  return renamed;
}

bool ChangeLanguage(int32_t lcid, MainWindowControl& window, LanguageView& view) {
  const SettingsChange change;
  if (lcid == LanguageId) return false;
  PreviousLanguageId = LanguageId.load();
  LanguageId = lcid;
  LoadLanguage(lcid);
  view.ShowLanguageTexts();
  DetectDevices(window);
  // The reload maps each function's name in the previous language to its
  // new one while PreviousLanguageId is set.
  LoadFunctionCatalogue();
  RenameAssignments(FunctionCatalogueSnapshot()->function_name_translation);
  PreviousLanguageId = -1;
  window.RebuildFunctionMenu();
  SaveButtonSettings();
  SaveProgramProfiles();
  window.InvalidateWindow();
  view.LayOutAgain();
  return true;
}

}  // namespace tessaro
