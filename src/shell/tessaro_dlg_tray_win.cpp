// Clicks on the tray icon: a double click shows the window at once; a
// single click opens the tray menu, half a second later so that a double
// click can still cancel it.
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr UINT kTrayClickDelayMs = 500;

}  // namespace

void CTessaroDlg::OnTrayNotify(UINT mouse_message) {
  HWND w = window();
  switch (mouse_message) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      KillTimer(w, kTrayClickTimer);
      // The release that ends a double click opens nothing.
      if (!tray_double_click_) SetTimer(w, kTrayClickTimer, kTrayClickDelayMs, nullptr);
      tray_double_click_ = false;
      break;
    case WM_LBUTTONDBLCLK:
      KillTimer(w, kTrayClickTimer);
      ShowMainWindow();
      tray_double_click_ = true;
      break;
    default:
      break;
  }
}

}  // namespace tessaro
