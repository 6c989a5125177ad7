#include "ui/key_input_geometry.h"

#include <algorithm>

namespace tessaro {

PixelRect KeyInputRect(const PixelRect& work_area) {
  const int work_width = work_area.right - work_area.left;
  const int work_height = work_area.bottom - work_area.top;
  const int width = std::max(300, static_cast<int>(work_width / 3.7));
  const int height = static_cast<int>(width / 2.5);
  const int left = work_area.left + (work_width - width) / 2;
  const int top = work_area.top + (work_height - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace tessaro
