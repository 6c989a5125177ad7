// The check-for-updates widget opens the skin's update address in the
// user's browser.
#include <windows.h>
// Needs windows.h first.
#include <shellapi.h>

#include "shell/controls_handlers_win.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/skin.h"

namespace tessaro {

void OpenUpdatePage(PanelWidget&) {
  const std::u16string& url = UpdateUrl();
  if (url.empty()) return;
  CTessaroDlg* dialog = MainDialog();
  ShellExecuteW(dialog ? dialog->window() : nullptr, L"open", reinterpret_cast<const wchar_t*>(url.c_str()), nullptr,
                nullptr, SW_SHOWNORMAL);
}

}  // namespace tessaro
