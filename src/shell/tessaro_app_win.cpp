#include "shell/tessaro_app_win.h"

#include <commctrl.h>

#include <optional>
#include <string_view>

#include "catalog/message_box.h"
#include "shell/app_guid_win.h"
#include "shell/command_line.h"
#include "shell/controls_win.h"
#include "shell/function_menu_win.h"
#include "shell/instance_events_win.h"
#include "shell/main_window_state.h"
#include "shell/resource_ids.h"
#include "shell/system_sessions_win.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/gdi_raii_win.h"

namespace tessaro {
namespace {

void InitCommonControlsAll() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
}

void ShowStringResource(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  // Length 0 asks for a pointer into the resource itself.
  const int length = LoadStringW(instance, id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length > 0) ShowMessage(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

}  // namespace

BOOL CTessaroApp::InitInstance() {
  InitCommonControlsAll();
  // The framework would also remember a registry key name for its profile
  // functions here; the program keeps nothing there, so there is none.
  const WinsockSession sockets;
  if (!sockets) {
    ShowStringResource(instance_, IDS_SOCKETS_INIT_FAILED);
    exit_code_ = 1;
    return FALSE;
  }

  const StartRequest request = ParseCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW()));
  if (request.close_running) {
    SignalRunningInstance(kCloseEventName);
    return TRUE;
  }
  std::optional<InstanceEvents> events = ClaimSingleInstance();
  if (!events) {
    SignalRunningInstance(kShowEventName);
    return TRUE;
  }

  // Declared before the dialog, so every GDI+ object the dialog holds is
  // gone before GDI+ shuts down.
  const GdiplusSession gdiplus;
  RecordAppGuid();
  StartHidden = request.start_hidden ? 1 : 0;
  MainDialogParts parts;
  AddFunctionMenu(parts);
  const MainControls controls(parts);
  CTessaroDlg dialog(instance_, events->show.get(), events->close.get(), parts);
  dialog.RunModal(nullptr);
  return FALSE;
}

}  // namespace tessaro
