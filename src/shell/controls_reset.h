// The reset of the shown model: after the user agrees, every assignment of
// that model leaves the list and the driver library, the file is saved
// and the marker column rebuilt.
#pragma once

#include <functional>

#include "catalog/model_catalogue.h"
#include "device/main_window.h"

namespace tessaro {

// Removes every entry of ButtonSettingList that belongs to the model (same
// model id, pid, vid, USB vid and USB pid), last first, taking each
// trigger out of the driver library; holds ButtonSettingLock meanwhile.
// Returns how many were removed.
int RemoveModelAssignments(const MODEL_DEF& model);

// Resets the shown model when it is connected and `confirm` (the question
// to the user) says yes. With a program's profile shown, only that
// profile's assignments of the model go (and are saved, and the column
// rebuilt). Otherwise, when entries were removed: saves, rebuilds the
// marker column and asks for a device refresh, whose settings load gives
// the model's HID buttons their defaults again. True when anything was
// removed.
bool ResetShownModel(const std::function<bool()>& confirm, MainWindowControl& window);

}  // namespace tessaro
