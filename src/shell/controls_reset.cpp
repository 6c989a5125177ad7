#include "shell/controls_reset.h"

#include <mutex>

#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "device/button_setting.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"
#include "shell/controls_model_list.h"
#include "shell/profile_selection.h"

namespace tessaro {
namespace {

// Soon after the change, as after a device's arrival.
constexpr int kDefaultsRefreshDelayMs = 30;

}  // namespace

int RemoveModelAssignments(const MODEL_DEF& model) {
  std::lock_guard hold(ButtonSettingLock());
  ButtonSettingArray& list = ButtonSettingList();
  int removed = 0;
  for (size_t i = list.size(); i-- > 0;) {
    if (!TriggerOfModel(list[i].trigger, model)) continue;
    VX_RemoveModelTriggerEvent(list[i].trigger);
    list.erase(list.begin() + static_cast<ptrdiff_t>(i));
    ++removed;
  }
  return removed;
}

bool ResetShownModel(const std::function<bool()>& confirm, MainWindowControl& window) {
  const int32_t index = SelectedModel;
  if (!IsConnectedModel(index)) return false;
  const MODEL_DEF model = Models().GetModel(index);
  // Not while asking: a settings load must not wait on the user.
  if (!confirm()) return false;
  // A program's profile shown: its assignments of the model go, and the
  // default ones act again; nothing else changes.
  if (const std::u16string profile = ShownProfile(); !profile.empty()) {
    const SettingsChange change;
    if (RemoveProfileModelAssignments(profile, model) == 0) return false;
    SaveProgramProfiles();
    window.RebuildFunctionMenu();
    return true;
  }
  {
    const SettingsChange change;
    if (RemoveModelAssignments(model) == 0) return false;
    SaveButtonSettings();
  }
  window.RebuildFunctionMenu();
  // The defaults of the HID buttons went with the entries that replaced
  // them; until a load programs them again those buttons would do nothing
  // and their markers would keep the removed names.
  window.RestartTimer(kDeviceScanTimer, kDefaultsRefreshDelayMs);
  return true;
}

}  // namespace tessaro
