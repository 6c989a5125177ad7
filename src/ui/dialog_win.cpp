#include "ui/dialog_win.h"

namespace tessaro {

Dialog::Dialog(int template_id) : template_id_(template_id) {}

Dialog::~Dialog() {
  HWND window = window_.exchange(nullptr);
  if (!window) return;
  // The derived part is gone: detach, so the last messages cannot reach it.
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialog_manager_proc_));
  SetWindowLongPtrW(window, DWLP_USER, 0);
  DestroyWindow(window);
}

bool Dialog::Create(HWND parent) {
  if (window()) return false;
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(template_id_), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR Dialog::RunModal(HWND owner) {
  if (window()) return -1;
  in_modal_run_ = true;
  end_requested_ = false;
  result_ = -1;
  // Disabled before the dialog exists, so OnInitDialog sees the modal state.
  const bool disable_owner = owner && IsWindowEnabled(owner);
  if (disable_owner) EnableWindow(owner, FALSE);
  if (!Create(owner)) {
    if (disable_owner) EnableWindow(owner, TRUE);
    in_modal_run_ = false;
    return -1;
  }
  if (!end_requested_ && !IsWindowVisible(window())) ShowWindow(window(), SW_SHOWNORMAL);

  MSG msg;
  while (!end_requested_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = -1;
      break;
    }
    if (PreTranslateMessage(msg)) continue;
    if (window() && IsDialogMessageW(window(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // Enabled again before the dialog goes, so the activation returns to it.
  if (disable_owner) EnableWindow(owner, TRUE);
  Destroy();
  in_modal_run_ = false;
  return result_;
}

void Dialog::EndDialog(INT_PTR result) {
  if (in_modal_run_) {
    result_ = result;
    end_requested_ = true;
  } else if (window()) {
    ShowWindow(window(), SW_HIDE);
  }
}

void Dialog::Destroy() {
  if (HWND window = window_.load()) DestroyWindow(window);
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    // Our dialogs lay themselves out. The dialog manager would scale a
    // per-monitor aware dialog by its template on a change of the display
    // scale; a dialog that follows the scale handles these itself.
    case WM_GETDPISCALEDSIZE:
      return FALSE;  // the system's linear scaling
    case WM_DPICHANGED:
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED || HIWORD(wparam) == 0) {
        if (LOWORD(wparam) == IDOK) {
          OnOK();
          return 0;
        }
        if (LOWORD(wparam) == IDCANCEL) {
          OnCancel();
          return 0;
        }
      }
      break;
  }
  return DefaultProc(message, wparam, lparam);
}

LRESULT Dialog::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = window_.load();
  if (!window || !dialog_manager_proc_) return 0;
  return CallWindowProcW(dialog_manager_proc_, window, message, wparam, lparam);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_INITDIALOG) return FALSE;  // the subclass has seen it already
  // From here on every message goes through WindowProc first; the dialog
  // manager's own procedure stays behind it as the default processing.
  auto* self = reinterpret_cast<Dialog*>(lparam);
  self->window_ = window;
  SetWindowLongPtrW(window, DWLP_USER, lparam);
  self->dialog_manager_proc_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  return self->WindowProc(WM_INITDIALOG, wparam, lparam);
}

LRESULT CALLBACK Dialog::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return DefDlgProcW(window, message, wparam, lparam);
  const LRESULT result = self->WindowProc(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    self->window_ = nullptr;
    self->end_requested_ = true;
  }
  return result;
}

}  // namespace tessaro
