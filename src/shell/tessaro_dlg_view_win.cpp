// What a settings load shows in the window. Loads run on refresh workers
// while they hold the settings lock: everything here posts to the
// window's thread and returns at once.
#include <string>

#include "shell/controls_slowdown.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {

void CTessaroDlg::ShowSlowdown() {
  if (HWND w = window()) PostMessageW(w, kSlowdownViewMessage, 0, 0);
}

// What is stored when the message comes: a click on the check box handled
// after the load had posted it was saved after the load, and stands.
void CTessaroDlg::OnSlowdownView() {
  ShowStoredSlowdown(main_);
  InvalidateWindow();
}

void CTessaroDlg::StopRepaintTimer() { StopTimer(kRepaintTimer); }

void CTessaroDlg::ShowMessage(std::u16string_view text) {
  HWND w = window();
  if (!w) return;
  {
    std::lock_guard lock(message_mutex_);
    queued_messages_.emplace_back(text);
  }
  PostMessageW(w, kMessageBoxMessage, 0, 0);
}

void CTessaroDlg::ShowQueuedMessages() {
  for (;;) {
    std::u16string text;
    {
      std::lock_guard lock(message_mutex_);
      if (queued_messages_.empty()) return;
      text = std::move(queued_messages_.front());
      queued_messages_.pop_front();
    }
    MessageBoxW(window(), reinterpret_cast<const wchar_t*>(text.c_str()), L"Vornel", MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace tessaro
