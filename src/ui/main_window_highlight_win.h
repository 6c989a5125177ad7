// The lit marker of the model picture: its lit picture, or a ring with a
// shadow where it has none, and its lit direction picture over it.
#pragma once

#include <cstdint>

#include "ui/main_window_layout.h"
#include "ui/main_window_pictures_win.h"

namespace tessaro {

void DrawLitMarker(Gdiplus::Graphics& g, const MarkerLayout& marker, const MarkerPictureShelf& shelf,
                   uint32_t ring_color, float scale);

}  // namespace tessaro
