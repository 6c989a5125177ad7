// Device detection: which catalogue models the driver library's devices
// match, which model the window shows and which device belongs to it.
#pragma once

#include <atomic>
#include <cstdint>

#include "catalog/model_catalogue.h"
#include "device/main_window.h"
#include "vxlib.h"

namespace tessaro {

// Index into the model catalogue of the model the window shows; -1: none.
inline std::atomic<int32_t> SelectedModel{-1};
// Device index (for VX_GetDeviceInfoByIndex) of the selected model's device.
inline std::atomic<int32_t> CurrentDevice{0};
// 1 when more than one model is connected.
inline std::atomic<int32_t> MultipleModelsConnected{0};

// The four rules, in order: the device's unit is active (unit_index 0, or
// that unit table entry's flag set); same type; same USB vendor and
// product ids; the device's sub id and vendor code (bytes) equal the
// model's model_id and vid (whole values, so a value above 255 never
// matches).
bool DeviceMatchesModel(const VX_ITEM_DEF& device, const MODEL_DEF& model);

// Marks every model connected or not and chooses SelectedModel: it stays
// while its model stays connected, else the first connected model in
// catalogue order takes its place. When the choice changes, asks the
// library to refresh, the window to rebuild its markers and reload the
// model picture; always restarts the repaint timer at 80 ms. Does nothing
// before the first settings load has finished. Runs one at a time.
void DetectDevices(MainWindowControl& window);

}  // namespace tessaro
