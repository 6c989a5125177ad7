#include "shell/tessaro_dlg_win.h"

#include <atomic>

#include "shell/main_window_state.h"
#include "shell/resource_ids.h"

namespace tessaro {
namespace {

std::atomic<CTessaroDlg*> main_dialog{nullptr};

constexpr bool IsResumeFromSleep(WPARAM event) {
  return event == PBT_APMRESUMECRITICAL || event == PBT_APMRESUMESUSPEND || event == PBT_APMRESUMEAUTOMATIC;
}

}  // namespace

CTessaroDlg* MainDialog() { return main_dialog.load(); }

CTessaroDlg::CTessaroDlg(HINSTANCE instance, HANDLE show_event, HANDLE close_event, const MainDialogParts& parts)
    : Dialog(IDD_TESSARO_DIALOG),
      instance_(instance),
      show_event_(show_event),
      close_event_(close_event),
      parts_(parts),
      // A restarted taskbar broadcasts this; the tray icon must be added again.
      taskbar_created_message_(RegisterWindowMessageW(L"TaskbarCreated")),
      icon_(LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      driver_targets_{*this, *this, *this} {
  parts_.widgets.hide_or_minimise = &CTessaroDlg::HideOrMinimise;
}

CTessaroDlg::~CTessaroDlg() {
  // WM_DESTROY reaches only the base class from the base destructor.
  Destroy();
  SetMainPanel(nullptr);
  main_dialog.store(nullptr);
}

void CTessaroDlg::ShowMainWindow() {
  HWND w = window();
  if (!w) return;
  main_.left_hand.checked = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  if (!IsWindowVisible(w)) {
    ShowWindow(w, SW_SHOWNORMAL);
  } else if (IsIconic(w)) {
    ShowWindow(w, SW_RESTORE);
  } else {
    SetForegroundWindow(w);
  }
  InvalidateRect(w, nullptr, FALSE);
}

void CTessaroDlg::RequestShow() {
  if (HWND w = window()) PostMessageW(w, kShowRequestMessage, 0, 0);
}

void CTessaroDlg::RequestQuit() {
  // Without its event (which another process may hold) the end is asked
  // for directly.
  if (!close_event_ || !SetEvent(close_event_)) OnCloseRequested();
}

LRESULT CTessaroDlg::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      // Reachable through the pointer from the first step on.
      main_dialog.store(this);
      SetMainPanel(&main_);
      break;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<const WINDOWPOS*>(lparam)->flags & SWP_HIDEWINDOW) OnHidden();
      break;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_TIMER:
      OnTimer(wparam);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_DPICHANGED:
      if (lparam) OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_POWERBROADCAST:
      if (IsResumeFromSleep(wparam)) RestartTimer(kDeviceScanTimer, 100);
      break;
    case kTrayCallbackMessage:
      OnTrayNotify(static_cast<UINT>(lparam));
      return 0;
    case kTimerRequestMessage:
      OnTimerRequest(static_cast<int>(wparam), static_cast<int>(lparam));
      return 0;
    case kShowRequestMessage:
      ShowMainWindow();
      return 0;
    case kSlowdownViewMessage:
      OnSlowdownView();
      return 0;
    case kMessageBoxMessage:
      ShowQueuedMessages();
      return 0;
    default:
      if (message == taskbar_created_message_ && tray_) tray_->Restore();
      break;
  }
  return Dialog::WindowProc(message, wparam, lparam);
}

}  // namespace tessaro
