// LoadButtonSettings: the driver's triggers and ButtonSettingList rebuilt
// from the model catalogue's HID defaults and the settings file.
#include <algorithm>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/json_values.h"
#include "catalog/model_catalogue.h"
#include "catalog/package.h"
#include "catalog/settings_entry.h"
#include "catalog/settings_message_once.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"

namespace tessaro {
namespace {

using nlohmann::json;

void ApplyModelDefaults(TriggerIdentityIndex& index) {
  // The catalogue is loaded before the first refresh and never changes
  // afterwards; only its connected flags do, and they are not read here.
  const std::vector<MODEL_DEF>& models = Models().models;
  for (size_t m = 0; m < models.size(); ++m) {
    const MODEL_DEF& model = models[m];
    const int count =
        std::min(std::clamp(model.hid_count, 0, kModelHidEntries), static_cast<int>(model.hid_function_define.size()));
    for (int u = 0; u < count; ++u) {
      const VX_FUNCTION_DEF& function = model.hid_function_define[u];
      if (function.type == 0 || model.hid_down[u] == 0 || model.hid_up[u] == 0) continue;
      BUTTON_SETTING_DEF setting{};
      CopyToField(std::u16string_view(model.hid_function_name[u],
                                      FieldLength(model.hid_function_name[u], kHidFunctionNameUnits)),
                  setting.function_name, kFunctionNameUnits);
      setting.trigger = ModelTrigger(model);
      setting.trigger.slot = DefaultSlot(static_cast<int>(m), u);
      setting.trigger.hid_num_down = static_cast<uint8_t>(model.hid_down[u]);
      setting.trigger.hid_num_up = static_cast<uint8_t>(model.hid_up[u]);
      setting.trigger.function = function;
      ApplyButtonSetting(setting, &index);
    }
  }
}

// A global setting's value; nothing when it is missing or null, or of a
// type the readers refuse (which makes the load unclean).
std::optional<int32_t> ReadGlobal(const json& document, std::string_view key, bool& clean) {
  if (!PresentMember(document, key)) return std::nullopt;
  try {
    return ReadJsonInt(document, key);
  } catch (const std::exception&) {
    clean = false;
    return std::nullopt;
  }
}

void ShowSlowdown(SettingsView& view) {
  view.ShowSlowdown();
  view.InvalidateWindow();
}

void SendSlowdown() {
  if (SlowdownEnabled.load() != 0) VX_SetSlowdoenModifier(SlowdownModifier.load(), 8);
}

// The file's globals and assignments. A member of the wrong format is
// reported once and passed over, and the rest of the document still
// counts; the entries that could not be read are kept for the saves until
// the next load, so they are not lost. A global of the wrong format counts
// as missing: a save writes the value in use.
void ApplyDocument(std::string_view text, SettingsView& view, TriggerIdentityIndex& index) {
  json document;
  if (!ParseJsonDocument(text, document) || !document.is_object()) {
    view.ShowMessage(u"errr");
    return;
  }
  bool clean = true;
  SlowdownEnabled = ReadGlobal(document, "slowdown enable", clean).value_or(0);
  if (const auto modifier = ReadGlobal(document, "slowdown modifier", clean)) SlowdownModifier = *modifier;
  if (SlowdownModifier.load() == 0) SlowdownModifier = 1;
  SendSlowdown();
  ShowSlowdown(view);
  std::vector<std::string> unread;
  const auto entries = document.find("trigger_setting");
  if (entries != document.end() && entries->is_array()) {
    for (size_t i = 0; i < entries->size(); ++i) {
      const json& entry = (*entries)[i];
      std::optional<BUTTON_SETTING_DEF> setting;
      try {
        setting = ReadSettingsEntry(entry, i);
      } catch (const std::exception&) {
        unread.push_back(entry.dump());
      }
      if (!setting) continue;
      for (const BUTTON_SETTING_DEF& assignment : EntryAssignments(*setting)) ApplyButtonSetting(assignment, &index);
    }
  }
  if (!clean || !unread.empty()) view.ShowMessage(u"errr");
  KeepUnreadEntries(std::move(unread));
}

}  // namespace

void LoadButtonSettings(SettingsView& view) {
  const SettingsChange serialise;
  KeepUnreadEntries({});
  VX_ClearAllTriggerEvent();
  {
    std::lock_guard hold(ButtonSettingLock());
    ButtonSettingList().clear();
  }
  // The list's identities for this load's applies, from the empty list on.
  TriggerIdentityIndex index;
  ApplyModelDefaults(index);
  const std::u16string path = SettingsFilePath();
  std::vector<uint8_t> bytes;
  const bool read = ReadWholeFile(path, bytes);
  MessageOncePerFile shown(view, path, DocumentText(bytes));
  if (read) {
    ApplyDocument(DocumentText(bytes), shown, index);
    shown.StopRepaintTimer();
    shown.InvalidateWindow();
  } else {
    SlowdownModifier = 1;
    SendSlowdown();
    ShowSlowdown(shown);
  }
  SettingsLoaded = 1;
}

}  // namespace tessaro
