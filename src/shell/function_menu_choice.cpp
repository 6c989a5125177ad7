#include "shell/function_menu_choice.h"

#include <atomic>
#include <memory>

#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"
#include "shell/marker_highlight.h"
#include "shell/profile_selection.h"
#include "ui/key_capture_logic.h"

namespace tessaro {
namespace {

constexpr int kFirstSideMarker = kModelButtonEntries;  // 12 and 13: tilt sides or HID entries
constexpr int kSideMarkers = kMarkerCount - kModelButtonEntries;
constexpr int kModelTypeMouseMask = 254;  // models whose buttons are told by the mouse-button mask
// The press codes of the two directions of a HID wheel.
constexpr uint8_t kWheelUpCode = 0xFA;
constexpr uint8_t kWheelDownCode = 0xFC;
constexpr int kWheelPairDelayMs = 20;

// Virtual keys of the modifiers, in the order the driver expects them.
constexpr struct {
  int32_t bits;
  uint8_t key;
} kModifierKeys[] = {
    {kModLeftCtrl | kModRightCtrl, 17},
    {kModLeftShift | kModRightShift, 16},
    {kModLeftAlt | kModRightAlt, 18},
    {kModLeftWin | kModRightWin, 91},
};

// The marker of the model's HID entry that reports `code` on press, or -1.
int HidMarkerWithCode(const MODEL_DEF& model, uint8_t code) {
  for (int k = 0; k < kSideMarkers && k < model.hid_count; ++k)
    if (model.hid_down[k] == code) return kFirstSideMarker + k;
  return -1;
}

const _QnItemListDB* HidRowAt(const FunctionCatalogue& catalogue, int32_t position) {
  const RowArray& rows = catalogue.hid_function_rows;
  return position >= 0 && static_cast<size_t>(position) < rows.size() ? &rows[position] : nullptr;
}

const VX_FUNCTION_DEF* FunctionAt(const FunctionCatalogue& catalogue, int32_t index) {
  const auto& defs = catalogue.function_defs;
  return index >= 0 && static_cast<size_t>(index) < defs.size() ? &defs[index] : nullptr;
}

std::u16string_view RowName(const _QnItemListDB& row) { return {row.name, FieldLength(row.name, std::size(row.name))}; }

}  // namespace

void WriteCustomKey(VX_FUNCTION_DEF& function, int32_t key, int32_t modifiers) {
  function.type = kFunctionCustomKeyStored;
  size_t press = 0;
  size_t release = 0;
  function.press[press++] = 1;
  function.release[release++] = 0;
  if (key != 0) function.release[release++] = static_cast<uint8_t>(key);
  for (const auto& modifier : kModifierKeys) {
    if ((modifiers & modifier.bits) == 0) continue;
    function.press[press++] = modifier.key;
    function.release[release++] = modifier.key;
  }
  if (key != 0) function.press[press++] = static_cast<uint8_t>(key);
}

BUTTON_SETTING_DEF MenuAssignment(const MODEL_DEF& model, int model_index, int marker, std::u16string_view name,
                                  const VX_FUNCTION_DEF& function) {
  BUTTON_SETTING_DEF setting{};
  CopyToField(name, setting.function_name, kFunctionNameUnits);
  VX_TRIGGER_DEF& trigger = setting.trigger;
  trigger = ModelTrigger(model);
  if (marker < kFirstSideMarker) {
    (model.type == kModelTypeMouseMask ? trigger.mouse_button : trigger.hid_button) = 1u << marker;
  } else if (model.tilt > 0) {
    trigger.tilt_mask = static_cast<uint8_t>(marker - kFirstSideMarker + 1);
  } else {
    trigger.hid_num_down = static_cast<uint8_t>(model.hid_down[marker - kFirstSideMarker]);
    trigger.hid_num_up = static_cast<uint8_t>(model.hid_up[marker - kFirstSideMarker]);
  }
  trigger.slot = MenuSlot(model_index, marker);
  trigger.function = function;
  return setting;
}

std::optional<BUTTON_SETTING_DEF> WheelPartner(const BUTTON_SETTING_DEF& chosen, int32_t chosen_value,
                                               const MODEL_DEF& model, int model_index,
                                               const FunctionCatalogue& catalogue) {
  const VX_TRIGGER_DEF& trigger = chosen.trigger;
  if (model.tilt > 0 || trigger.function.type != kFunctionHidStep) return std::nullopt;
  uint8_t partner_code = 0;
  if (trigger.hid_num_down == kWheelUpCode) partner_code = kWheelDownCode;
  if (trigger.hid_num_down == kWheelDownCode) partner_code = kWheelUpCode;
  if (partner_code == 0) return std::nullopt;
  // Found by its code rather than counted from the chosen marker, so a
  // model that lists its wheel codes the other way round pairs correctly.
  const int partner_marker = HidMarkerWithCode(model, partner_code);
  if (partner_marker < 0) return std::nullopt;

  // The opposite of the chosen scroll: a step down, unless that is what was
  // chosen, then a step up.
  const _QnItemListDB* down = HidRowAt(catalogue, catalogue.hid_minus_one_row);
  const _QnItemListDB* up = HidRowAt(catalogue, catalogue.hid_plus_one_row);
  if (!down || !up) return std::nullopt;
  const _QnItemListDB& partner_row = down->function_index == chosen_value ? *up : *down;
  const VX_FUNCTION_DEF* function = FunctionAt(catalogue, partner_row.function_index);
  if (!function) return std::nullopt;
  return MenuAssignment(model, model_index, partner_marker, RowName(partner_row), *function);
}

void ChooseFunction(const _QnItemListDB& row, FunctionChoiceHost& host) {
  const std::shared_ptr<const FunctionCatalogue> catalogue = FunctionCatalogueSnapshot();
  if (catalogue->function_rows.empty()) return;
  const int32_t model_index = SelectedModel;
  ModelItem& models = Models();
  if (model_index < 0 || static_cast<size_t>(model_index) >= models.models.size()) return;
  if (std::atomic_ref<int32_t>(models.models[model_index].connected).load() == 0) return;
  const int32_t marker = ClickedMarker;
  if (marker < 0 || marker >= kMarkerCount) return;
  const VX_FUNCTION_DEF* chosen = FunctionAt(*catalogue, row.function_index);
  if (!chosen) return;

  VX_FUNCTION_DEF function = *chosen;
  std::u16string name(RowName(row));
  if (function.type == kFunctionCustomKey) {
    const std::optional<CapturedKeys> keys = host.CaptureKeys(row);
    if (!keys || (keys->key == 0 && keys->modifiers == 0)) return;
    WriteCustomKey(function, keys->key, keys->modifiers);
    name = keys->text;
  }
  const MODEL_DEF model = models.GetModel(model_index);
  const BUTTON_SETTING_DEF setting = MenuAssignment(model, model_index, marker, name, function);
  const std::optional<BUTTON_SETTING_DEF> partner =
      WheelPartner(setting, row.function_index, model, model_index, *catalogue);
  {
    const SettingsChange change;
    // Into the profile the window shows: the default assignments, or the
    // shown program's, where "Default" takes the program's own away.
    const std::u16string profile = ShownProfile();
    const auto apply = [&](const BUTTON_SETTING_DEF& assignment) {
      if (profile.empty()) {
        ApplyButtonSetting(assignment);
      } else {
        ApplyProfileSetting(profile, assignment);
      }
    };
    apply(setting);
    if (partner) {
      host.Pause(kWheelPairDelayMs);
      apply(*partner);
    }
    if (profile.empty()) {
      SaveButtonSettings();
    } else {
      SaveProgramProfiles();
    }
  }
  host.RebuildMarkers();
}

}  // namespace tessaro
