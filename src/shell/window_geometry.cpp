#include "shell/window_geometry.h"

#include <algorithm>

namespace tessaro {

MainWindowGeometry MainWindowGeometryFor(const WorkArea& work_area) {
  int width = static_cast<int>(work_area.width * 0.6);
  int height = std::min(work_area.height - 40, (2 * width) / 3);
  if (width > kDesignWidth) {
    width = kDesignWidth;
    height = 2000;
  } else if (width < 800) {
    width = 800;
    height = 640;
  }
  // Centred in the work area it was measured on, so that on a second
  // monitor the window opens where the cursor is.
  return {work_area.left + (work_area.width - width) / 2, work_area.top + (work_area.height - height) / 2, width,
          height, static_cast<float>(width / static_cast<double>(kDesignWidth))};
}

RescaledWindow RescaleForDpi(const PixelRect& suggested, float font_size, int old_dpi, int new_dpi) {
  const int width = suggested.right - suggested.left;
  const int height = suggested.bottom - suggested.top;
  const float font = old_dpi > 0 && new_dpi > 0 ? static_cast<float>(font_size * double(new_dpi) / old_dpi) : font_size;
  return {{suggested.left, suggested.top, width, height, static_cast<float>(width / static_cast<double>(kDesignWidth))},
          font};
}

}  // namespace tessaro
