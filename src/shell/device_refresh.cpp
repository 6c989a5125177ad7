#include "shell/device_refresh.h"

#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "device/device_detection.h"

namespace tessaro {

void RunDeviceRefresh(SettingsView& view, MainWindowControl& window) {
  LoadButtonSettings(view);
  LoadProgramProfiles(view);
  DetectDevices(window);
  window.RebuildFunctionMenu();
}

}  // namespace tessaro
