// Which marker of the model picture lights up while the pointer is over a
// button marker of the column.
#pragma once

#include "catalog/model_catalogue.h"

namespace tessaro {

inline constexpr int kMarkerCount = 14;  // 0-11 buttons, 12-13 tilt or HID
inline constexpr int kNoHighlight = -1;

// The marker's number in the picture: buttons 0 to 11 are counted among
// the buttons the model has; 12 and 13 keep their own numbers.
int HighlightNumber(int marker, const MODEL_DEF& model);

}  // namespace tessaro
