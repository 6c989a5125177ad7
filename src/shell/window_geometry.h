// The main window's size and place, chosen at start from the work area of
// the monitor under the cursor: 60 % of its width at a 3:2 aspect (never
// taller than the work area less 40 pixels), held between 800 x 640 and
// 2400 x 2000, and centred. UiScale is the width over 2400, the factor
// every layout length of the window is multiplied by. A change of the
// display scale later resizes it (RescaleForDpi).
#pragma once

#include "ui/pixel_rect.h"

namespace tessaro {

inline constexpr int kDesignWidth = 2400;

struct WorkArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct MainWindowGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  float ui_scale = 1.0f;
};

MainWindowGeometry MainWindowGeometryFor(const WorkArea& work_area);

// A change of the display scale (the window went to a monitor of another
// DPI, or the monitor's scale changed): the window takes the rectangle the
// system suggests, UiScale follows its width as at a start, and the
// interface font grows or shrinks with the DPI as the window does, so the
// window looks as before at the new scale. A DPI that is not known (0 or
// less) leaves the font as it is.
struct RescaledWindow {
  MainWindowGeometry window;
  float font_size = 0.0f;
};
RescaledWindow RescaleForDpi(const PixelRect& suggested, float font_size, int old_dpi, int new_dpi);

}  // namespace tessaro
