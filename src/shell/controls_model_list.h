// The model list of the bottom bar: the other connected models, each with
// its picture and how it is connected, and what choosing one does.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "catalog/menu_row.h"
#include "catalog/model_catalogue.h"
#include "device/main_window.h"

namespace tessaro {

// Whether index is a model of the catalogue that is connected now.
bool IsConnectedModel(int32_t index);

// "BT" when the model's name holds "(BT)" after at least three characters,
// else "2.4G" for "(RF)" after at least three, else "USB". Only the first
// occurrence of each counts, so a name that begins with "(BT)" is "USB".
std::u16string_view ModelConnectionKind(std::u16string_view model_name);

// One row per connected model other than the selected one, in catalogue
// order: id and value the model's index, the text its connection kind, the
// icon picture_of(index). No rows when the catalogue holds one model or
// none. picture_of may give null.
RowArray BuildModelMenuRows(const std::vector<MODEL_DEF>& models, int32_t selected,
                            const std::function<void*(int32_t index)>& picture_of);

// The model list's choice: shows model `index` when it is a connected
// model of the catalogue. Only a change of the shown model asks the driver
// library to refresh, detects the devices again, reloads the model picture
// and rebuilds the marker column. True when the shown model changed.
bool ChooseModel(int32_t index, MainWindowControl& window);

}  // namespace tessaro
