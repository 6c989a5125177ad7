// Process-wide state of the main window that the shell's parts and the
// renderer read: how it was sized, whether it is ready for input, whether
// the program is ending, and which marker of the model picture is lit.
#pragma once

#include <atomic>
#include <cstdint>

#include "shell/marker_highlight.h"
#include "shell/window_geometry.h"

namespace tessaro {

// Window width / 2400: every layout length of the window is multiplied by it.
inline std::atomic<float> UiScale{1.0f};
// 1 once the main dialog has finished its initialisation; mouse input
// reaches the panel only from then on.
inline std::atomic<int32_t> UiReady{0};
// 1 once an end was requested; the window can then be closed.
inline std::atomic<int32_t> QuitRequested{0};
// 1 when the window is to hide itself as soon as it is first visible.
inline std::atomic<int32_t> StartHidden{0};
// The picture marker that lights up (a HighlightNumber), or kNoHighlight.
inline std::atomic<int32_t> HighlightedMarker{kNoHighlight};

// Measured and chosen once at start, before UiReady; read-only afterwards.
struct StartLayout {
  WorkArea work_area;
  MainWindowGeometry window;
};
inline StartLayout MainWindowLayout;

}  // namespace tessaro
