// Where the key capture dialog opens: centred on the work area of the
// monitor that shows its owner, a 3.7th of that work area wide (at least
// 300 pixels) and 2.5 times as wide as high.
#pragma once

#include "ui/pixel_rect.h"

namespace tessaro {

// The dialog's window rectangle in screen pixels; the work area is in
// screen pixels too, so a monitor left of or above the primary one has a
// negative origin.
PixelRect KeyInputRect(const PixelRect& work_area);

}  // namespace tessaro
