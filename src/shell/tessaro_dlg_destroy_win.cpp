// How the main dialog ends: only a requested end closes it (Esc, Alt+F4
// and the system menu's close are ignored), and its destruction stops
// every thread it started before the driver library is freed.
#include "catalog/function_catalogue.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr DWORD kLibraryStopPauseMs = 10;
constexpr DWORD kJoinStepMs = 10;

// While the window waits for its threads: they may send it messages (a
// key capture dialog that ends re-enables it) and wait for the answer.
void AnswerSentMessages() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, kJoinStepMs, QS_SENDMESSAGE);
  MSG sent;
  PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

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
  // The key capture dialog belongs to this window; a capture that runs
  // ends now, and none starts any more.
  key_capture_.Close();
  tray_.reset();
  // The threads use this window, the driver library and the catalogues:
  // all must still exist while they run.
  window_workers_.JoinAll(&AnswerSentMessages);
  request_watcher_.reset();
  refresh_workers_.JoinAll(&AnswerSentMessages);
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

void CTessaroDlg::ReleaseDevices() {
  const int count = VX_GetDeviceCount();
  for (int i = 0; i < count; ++i) {
    const VX_ITEM_DEF device = VX_GetDeviceInfoByIndex(i);
    VX_SetButtonMask(device.handle(), 0, 0, 0, device.sub_id());
    if (VX_RELEASE_ROUTINE release = device.release_routine()) release(device.handle(), 0);
  }
}

}  // namespace tessaro
