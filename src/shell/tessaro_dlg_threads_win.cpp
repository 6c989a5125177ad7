// The threads of the main dialog: a watcher that waits for the show and
// close requests of other processes for the whole run, the device refresh workers, and the
// threads that act for the user (popup list choices, key captures). All
// are joined when the window is destroyed.
#include "shell/device_refresh.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr DWORD kShowPauseMs = 10;

}  // namespace

void CTessaroDlg::StartWatchers() {
  // The close request first: when both come together, the end wins.
  std::vector<EventWatcher::Watch> watches;
  watches.push_back({close_event_, [this] {
                       OnCloseRequested();
                       return false;
                     }});
  watches.push_back({show_event_, [this] {
                       if (QuitRequested) return false;
                       RequestShow();
                       Sleep(kShowPauseMs);
                       return QuitRequested == 0;
                     }});
  request_watcher_.emplace(std::move(watches));
}

// On the close watcher's thread.
void CTessaroDlg::OnCloseRequested() {
  QuitRequested = 1;
  if (KeyCaptureVisible()) key_capture_.RequestClose();
  if (HWND w = window()) PostMessageW(w, WM_CLOSE, 0, 0);
}

void CTessaroDlg::StartDeviceRefresh() {
  refresh_workers_.Start([this] { RunDeviceRefresh(*this, *this); });
}

void CTessaroDlg::StartWindowWork(std::function<void()> work) { window_workers_.Start(std::move(work)); }

}  // namespace tessaro
