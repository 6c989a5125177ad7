#include "device/device_detection.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "catalog/settings_store.h"

namespace tessaro {

bool DeviceMatchesModel(const VX_ITEM_DEF& device, const MODEL_DEF& model) {
  const uint8_t unit = device.unit_index();
  return (unit == 0 || device.unit_active(unit) != 0) && device.type() == static_cast<uint32_t>(model.type) &&
         device.usb_vid() == static_cast<uint32_t>(model.usb_vid) &&
         device.usb_pid() == static_cast<uint32_t>(model.usb_pid) && device.sub_id() == model.model_id &&
         device.vendor_code() == model.vid;
}

void DetectDevices(MainWindowControl& window) {
  if (SettingsLoaded.load() == 0) return;
  bool changed = false;
  {
    // Runs come from the driver's events, refresh workers and the model
    // and language choices; one at a time keeps each run's view whole.
    static std::mutex serialise;
    std::lock_guard hold(serialise);
    std::vector<MODEL_DEF>& models = Models().models;
    const int32_t count = static_cast<int32_t>(models.size());
    int32_t previous = SelectedModel.load();
    int32_t selected = previous >= 0 && previous < count ? previous : -1;
    std::vector<int32_t> device_of(models.size(), -1);
    int32_t connected_models = 0;
    for (int32_t n = 0; n < count; ++n) {
      // Readers (the window) look at the flags without a lock.
      std::atomic_ref<int32_t> connected(models[n].connected);
      connected = 0;
      // The count is asked on every step: devices may come and go meanwhile.
      for (int32_t e = 0; e < VX_GetDeviceCount(); ++e) {
        if (!DeviceMatchesModel(VX_GetDeviceInfoByIndex(e), models[n])) continue;
        connected = 1;
        device_of[n] = e;
        if (n == selected) CurrentDevice = e;
        break;
      }
      if (connected.load()) ++connected_models;
      if (n == selected && connected.load() == 0) selected = -1;
    }
    if (selected == -1) {
      for (int32_t n = 0; n < count; ++n) {
        if (device_of[n] < 0) continue;
        selected = n;
        CurrentDevice = device_of[n];
        break;
      }
    }
    // A model chosen by the user while this run went on wins; the chooser
    // detects again after setting it.
    changed = selected != previous && SelectedModel.compare_exchange_strong(previous, selected);
    MultipleModelsConnected = connected_models > 1 ? 1 : 0;
  }
  if (changed) {
    VX_RefreshInfo();
    window.RebuildFunctionMenu();
    window.RedrawModelLayer();
  }
  window.RestartTimer(kRepaintTimer, 80);
}

}  // namespace tessaro
