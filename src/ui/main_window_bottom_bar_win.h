// Drawing the main window's bottom bar texts, each with a soft shadow, and
// placing the "check for updates" link beside the version text.
#pragma once

#include "ui/gdi_raii_win.h"
#include "ui/main_window_view.h"

namespace tessaro {

// Draws the version and device texts over the bar. When the view's update
// link is not placed yet, places and shows it and returns true: the window
// must be painted again to show it.
bool DrawBottomBar(Gdiplus::Graphics& g, const MainWindowView& view);

}  // namespace tessaro
