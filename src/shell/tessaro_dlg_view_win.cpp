// What a settings load shows in the window. Loads run on refresh workers
// while they hold the settings lock: everything here posts to the
// window's thread and returns at once.
#include <string>

#include "catalog/utf.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/key_capture_logic.h"

namespace tessaro {

void CTessaroDlg::ShowSlowdown(int32_t enabled, int32_t modifier) {
  if (HWND w = window()) PostMessageW(w, kSlowdownViewMessage, static_cast<WPARAM>(enabled), modifier);
}

void CTessaroDlg::OnSlowdownView(int32_t enabled, int32_t modifier) {
  main_.slowdown.checked = enabled != 0;
  CopyToField(ModifierText(modifier), main_.modifier.text, kWidgetTextLength);
  main_.modifier.visible = main_.slowdown.visible;
  main_.modifier.remeasure = true;
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
