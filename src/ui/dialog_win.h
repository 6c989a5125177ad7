// The program's dialog layer: a dialog built from a template resource, with
// a virtual window procedure (a derived class's switch is its message map),
// OnInitDialog, and a modal run through our own loop, so that a dialog can
// look at every message of its thread before the dialog manager does.
//
// A derived dialog:
//   class MainDlg : public Dialog {
//    public:
//     MainDlg() : Dialog(IDD_MAIN) {}
//    protected:
//     BOOL OnInitDialog() override;                      // window exists
//     bool PreTranslateMessage(MSG& msg) override;       // true: consumed
//     LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
//       switch (m) {
//         case WM_PAINT: ...; return 0;
//       }
//       return Dialog::WindowProc(m, w, l);              // default processing
//     }
//     void OnCancel() override;                          // IDCANCEL, Esc, WM_CLOSE
//   };
//   MainDlg dlg; INT_PTR result = dlg.RunModal(nullptr);
#pragma once

#include <windows.h>

#include <atomic>

namespace tessaro {

class Dialog {
 public:
  explicit Dialog(int template_id);
  // Destroys a window that still exists. Its WM_DESTROY then reaches only
  // this base class, so a derived dialog that handles WM_DESTROY calls
  // Destroy() in its own destructor.
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the window modeless, owned by `parent`. The template's
  // WS_VISIBLE decides whether it shows. False when it could not be made.
  bool Create(HWND parent);

  // Creates the window, disables `owner` (may be null), shows the dialog and
  // runs the thread's messages until EndDialog; then destroys the window and
  // returns the result. Each message goes first to PreTranslateMessage, then
  // to IsDialogMessage, then to TranslateMessage and DispatchMessage.
  // -1 when the window could not be made; WM_QUIT ends the run with -1 and
  // is posted again for the outer loop.
  INT_PTR RunModal(HWND owner);

  // Ends a modal run with `result` once the current message is handled. A
  // modeless dialog is only hidden.
  void EndDialog(INT_PTR result);

  // Destroys the window now (nothing when there is none).
  void Destroy();

  // The window, or null; safe to read from any thread.
  HWND window() const { return window_.load(); }

 protected:
  // WM_INITDIALOG: the window exists, is not yet shown. TRUE lets the
  // dialog manager set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }

  // Offered every message that a modal run takes from the queue, for any
  // window of the thread. True consumes it.
  virtual bool PreTranslateMessage(MSG&) { return false; }

  // Every message to the window from WM_INITDIALOG on. Derived classes handle
  // what they need and pass the rest here: WM_INITDIALOG calls OnInitDialog,
  // the IDOK and IDCANCEL commands call OnOK and OnCancel, a change of the
  // display scale leaves the window as it is (a dialog that follows the
  // scale handles WM_DPICHANGED itself), anything else gets the dialog
  // manager's default processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);

  // The default OK and Cancel end the dialog with IDOK and IDCANCEL.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  // The dialog manager's processing of a message, for handlers that add to
  // it rather than replace it.
  LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  const int template_id_;
  std::atomic<HWND> window_{nullptr};
  WNDPROC dialog_manager_proc_ = nullptr;
  bool in_modal_run_ = false;
  bool end_requested_ = false;
  INT_PTR result_ = 0;
};

}  // namespace tessaro
