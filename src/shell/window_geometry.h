// The main window's size and place, chosen once at start from the work
// area of the monitor under the cursor: 60 % of its width at a 3:2 aspect
// (never taller than the work area less 40 pixels), held between
// 800 x 640 and 2400 x 2000, and centred. UiScale is the width over 2400,
// the factor every layout length of the window is multiplied by.
#pragma once

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

}  // namespace tessaro
