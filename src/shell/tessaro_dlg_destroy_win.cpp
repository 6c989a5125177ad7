// How the main dialog ends: only a requested end closes it (Esc, Alt+F4
// and the system menu's close are ignored), and its destruction stops
// every thread it started before the driver library is freed.
#include "catalog/function_catalogue.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr DWORD kLibraryStopPauseMs = 10;
// How long the window's end waits for a key capture dialog to go.
constexpr int kKeyCaptureCloseWaitMs = 2000;
constexpr DWORD kKeyCapturePollMs = 10;

}  // namespace

void CTessaroDlg::OnCancel() {
  if (!QuitRequested) return;
  VX_Stop();
  Sleep(kLibraryStopPauseMs);
  EndDialog(IDCANCEL);
}

void CTessaroDlg::HideOrMinimise(PanelWidget& widget) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog || !dialog->window()) return;
  if (widget.kind == WidgetKind::kClose) {
    ShowWindow(dialog->window(), SW_HIDE);
  } else if (widget.kind == WidgetKind::kMinimise) {
    ShowWindow(dialog->window(), SW_MINIMIZE);
  }
}

void CTessaroDlg::OnDestroy() {
  UiReady = 0;
  CloseKeyCapture();
  tray_.reset();
  // The watchers and workers post to this window and call the driver
  // library: both must still exist while they run.
  close_watcher_.reset();
  show_watcher_.reset();
  refresh_workers_.JoinAll();
  if (driver_started_) {
    ReleaseDevices();
    VX_FreeLib();
    driver_started_ = false;
  }
  SetDriverEventTargets(nullptr);
  popup_list_.reset();
  // The catalogue loaded with this window; its icons are GDI+ pictures,
  // which must go before GDI+ ends.
  UnloadFunctionCatalogue();
}

// The dialog runs on its opener's thread but belongs to this window: it
// must be gone before this window's members are.
void CTessaroDlg::CloseKeyCapture() {
  if (!key_capture_.window()) return;
  key_capture_.RequestClose();
  for (int waited = 0; key_capture_.window() && waited < kKeyCaptureCloseWaitMs; waited += kKeyCapturePollMs) {
    // Its ending re-enables this window, a message sent from its thread:
    // answer such messages while waiting.
    MSG sent;
    PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(kKeyCapturePollMs);
  }
}

void CTessaroDlg::ReleaseDevices() {
  const int count = VX_GetDeviceCount();
  for (int i = 0; i < count; ++i) {
    const VX_ITEM_DEF device = VX_GetDeviceInfoByIndex(i);
    VX_SetButtonMask(device.handle(), 0, 0, 0, device.sub_id());
    if (VX_RELEASE_ROUTINE release = device.release_routine()) release(device.handle(), 0);
  }
}

}  // namespace tessaro
