// A rectangle in whole pixels, right and bottom exclusive, as Win32's RECT
// but portable.
#pragma once

#include <cstdint>

namespace tessaro {

struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

}  // namespace tessaro
