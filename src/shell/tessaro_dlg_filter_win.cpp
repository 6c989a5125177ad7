// Message filtering of the main dialog's thread: mouse input to the panel
// and the highlight it moves, Esc, dragging the window by its background,
// the popup list's choice; the hand cursor over widgets; the windows and
// dialogs the driver library's events reach.
#include <windowsx.h>

#include "catalog/model_catalogue.h"
#include "device/device_detection.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

bool IsPanelMouseMessage(UINT message) {
  return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
         message == WM_RBUTTONUP;
}

}  // namespace

bool CTessaroDlg::PreTranslateMessage(MSG& msg) {
  HWND w = window();
  bool hit_widget = false;
  if (msg.hwnd == w && IsPanelMouseMessage(msg.message)) hit_widget = FeedPanel(msg);

  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE) {
    HidePopupList();
    vx_checkFunctionClose();
    return false;  // the dialog manager turns Esc into Cancel, which ignores it
  }
  if (msg.message == WM_LBUTTONDOWN && msg.hwnd == w && !hit_widget) {
    // Any point of the background moves the window, as a caption would.
    POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(w, &at);
    PostMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    return true;
  }
  if (msg.message == kItemChosenMessage) {
    HidePopupList();
    return true;
  }
  return false;
}

// True when the point lies in a widget.
bool CTessaroDlg::FeedPanel(const MSG& msg) {
  if (!UiReady || KeyCaptureVisible()) return false;
  SkinPanel& panel = main_.panel;
  const bool hit = PanelHitTest(panel, msg.message, GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
  if (panel.repaint_pending) {
    InvalidatePanelRect(panel.repaint);
    panel.repaint_pending = false;
    panel.repaint = {};
    UpdateHighlight();
  }
  return hit;
}

// The lit marker follows the marker widget under the pointer.
void CTessaroDlg::UpdateHighlight() {
  const int marker = HotMarker(main_);
  const int model_index = SelectedModel;
  const int lit = marker >= 0 && model_index >= 0 ? HighlightNumber(marker, Models().GetModel(model_index))
                                                  : kNoHighlight;
  const int previous = HighlightedMarker.exchange(lit);
  InvalidatePanelRect(renderer_.LitMarkerBounds(previous, UiScale));
  InvalidatePanelRect(renderer_.LitMarkerBounds(lit, UiScale));
}

void CTessaroDlg::InvalidatePanelRect(const PanelRect& area) {
  const RECT rect{area.left, area.top, area.right, area.bottom};
  if (!IsRectEmpty(&rect)) InvalidateRect(window(), &rect, FALSE);
}

bool CTessaroDlg::OnSetCursor() {
  if (!main_.panel.pointer_over_widget) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

bool CTessaroDlg::PopupListExists() { return popup_list_ && popup_list_->window(); }

void CTessaroDlg::HidePopupList() {
  if (popup_list_ && popup_list_->IsOpen()) popup_list_->CloseList();
}

void* CTessaroDlg::MainWindow() { return window(); }

void* CTessaroDlg::ParentWindow(void* child) { return GetParent(static_cast<HWND>(child)); }

bool CTessaroDlg::KeyCaptureVisible() {
  HWND capture = key_capture_.window();
  return capture && IsWindowVisible(capture);
}

void CTessaroDlg::KeyCaptureKey(int32_t virtual_key, int32_t scan_code, int32_t key_down) {
  key_capture_.PostKey(virtual_key, scan_code, key_down != 0);
}

}  // namespace tessaro
