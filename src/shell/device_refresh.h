// One device refresh, run on a worker thread of its own: the stored
// assignments and the programs' profiles go to the driver library again, the connected devices are
// matched to models, and the marker column is rebuilt.
#pragma once

#include "catalog/settings_view.h"
#include "device/main_window.h"

namespace tessaro {

void RunDeviceRefresh(SettingsView& view, MainWindowControl& window);

}  // namespace tessaro
