// Timers of the main window and the interface through which the device
// layer and other threads reach them. Windows lets only the window's own
// thread set its timers, so requests from elsewhere are posted.
#include "device/device_detection.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"
#include "vxlib.h"

namespace tessaro {
namespace {

constexpr int kStopTimer = -1;
constexpr int kRecheckDelayMs = 5000;
constexpr int kSlowRecheckDelayMs = 300000;
// Devices of this kind get one more refresh after the slow delay.
constexpr uint8_t kSlowReportingSubId = 0x33;

}  // namespace

bool CTessaroDlg::OnOwnThread() const {
  HWND w = window();
  return w && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId();
}

void CTessaroDlg::RestartTimer(int id, int milliseconds) {
  if (OnOwnThread()) {
    OnTimerRequest(id, milliseconds);
  } else if (HWND w = window()) {
    PostMessageW(w, kTimerRequestMessage, static_cast<WPARAM>(id), static_cast<LPARAM>(milliseconds));
  }
}

void CTessaroDlg::StopTimer(int id) { RestartTimer(id, kStopTimer); }

void CTessaroDlg::OnTimerRequest(int id, int milliseconds) {
  KillTimer(window(), static_cast<UINT_PTR>(id));
  if (milliseconds != kStopTimer)
    SetTimer(window(), static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void CTessaroDlg::InvalidateWindow() {
  if (HWND w = window()) InvalidateRect(w, nullptr, FALSE);
}

void CTessaroDlg::RedrawModelLayer() { renderer_.InvalidateModelLayer(); }

void CTessaroDlg::RebuildFunctionMenu() {
  if (parts_.rebuild_function_menu) parts_.rebuild_function_menu();
}

void CTessaroDlg::OnTimer(UINT_PTR id) {
  HWND w = window();
  switch (id) {
    case kRepaintTimer:
      KillTimer(w, id);
      InvalidateWindow();
      break;
    case kDeviceScanTimer:
      KillTimer(w, id);
      StartDeviceRefresh();
      SetTimer(w, kDeviceRecheckTimer, kRecheckDelayMs, nullptr);
      recheck_counter_ = 0;
      break;
    case kFirstShowTimer:
      // Keeps running while the window is not visible, so a window that
      // starts hidden behind another program still lays out once shown.
      if (!IsWindowVisible(w)) break;
      KillTimer(w, id);
      PlaceModifierWidget(main_);
      InvalidateWindow();
      if (StartHidden.exchange(0)) ShowWindow(w, SW_HIDE);
      break;
    case kDeviceRecheckTimer:
      KillTimer(w, id);
      OnDeviceRecheck();
      break;
    case kLanguageLayoutTimer:
      KillTimer(w, id);
      PlaceModifierWidget(main_);
      InvalidateWindow();
      break;
    case kRefreshInfoTimer:
      KillTimer(w, id);
      VX_RefreshInfo();
      break;
    case kTrayClickTimer:
      KillTimer(w, id);
      if (parts_.open_tray_menu) parts_.open_tray_menu();
      break;
    default:
      break;
  }
}

void CTessaroDlg::OnDeviceRecheck() {
  const VX_ITEM_DEF device = VX_GetDeviceInfoByIndex(CurrentDevice);
  if (recheck_counter_ == 0 && device.sub_id() == kSlowReportingSubId) {
    SetTimer(window(), kDeviceRecheckTimer, kSlowRecheckDelayMs, nullptr);
    recheck_counter_ = 1;
  } else {
    recheck_counter_ = 0;
  }
  StartDeviceRefresh();
}

}  // namespace tessaro
