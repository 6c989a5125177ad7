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

}  // namespace tessaro
