// A GDI+ picture of an icon, for the rows of the popup lists.
#pragma once

#include "ui/gdi_raii_win.h"

namespace tessaro {

// The icon at size x size pixels, premultiplied, with each pixel's opacity
// as the icon has it: drawn once over black and once over white, where a
// pixel's two results differ by as much as it lets the ground through. So
// icons with an alpha channel and icons with a transparency mask come out
// alike. Null when it cannot be drawn.
GdiplusPtr<Gdiplus::Bitmap> IconPicture(HICON icon, int size);

}  // namespace tessaro
