// KeyInputDlg: the small modal dialog that records one key combination, or
// with capture mode 1 the modifier keys of the slowdown hotkey. It reads the
// keyboard through raw input, so it sees keys the system or the driver
// library would swallow, and it keeps key messages from the dialog manager,
// so Enter and Escape never end it: only its own ok, cancel and close
// widgets do.
//
// The openers run it modally from a thread of their own:
//   dlg.SetScale(ui_scale);
//   if (auto keys = dlg.Capture(parent, kCaptureCombination)) ... keys->key ...
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "ui/dialog_win.h"
#include "ui/key_capture_logic.h"
#include "ui/key_names_win.h"
#include "ui/panel.h"

namespace tessaro {

class KeyInputDlg : public Dialog {
 public:
  static constexpr INT_PTR kOk = 1;
  static constexpr INT_PTR kCancel = 2;  // cancel or close

  KeyInputDlg();
  ~KeyInputDlg() override;

  // From an opener's own thread: runs the dialog modally in `mode` and
  // gives what it recorded. Nothing when it is cancelled or closed, or when
  // another opener runs it now: it is one window for every opener, and a
  // second one waits for nobody.
  std::optional<CapturedKeys> Capture(HWND parent, CaptureMode mode);

  // Set before the dialog runs.
  void SetCaptureMode(CaptureMode mode) { mode_ = mode; }
  // The user-interface scale of the main window, which the dialog's
  // lengths follow. Its place and size come from the work area of the
  // monitor that shows its owner, measured each time it opens.
  void SetScale(float ui_scale);

  // From any thread: a key the driver library reported. Taken only while
  // the dialog shows, and handled on the dialog's own thread.
  void PostKey(int32_t virtual_key, int32_t scan_code, bool down);
  // From any thread: ends the dialog as its close widget does.
  void RequestClose();
  // From any thread, when the window that opens it goes: ends a run and
  // refuses every later one.
  void Close();

  // What the opener reads once the dialog has ended.
  int32_t captured_key() const { return capture_.captured_key(); }
  int32_t captured_modifiers() const { return capture_.captured_modifiers(); }
  const std::u16string& display_text() const { return capture_.display_text(); }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG& msg) override;
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The dialog manager's OK and Cancel end it only after a widget asked.
  void OnOK() override;
  void OnCancel() override;

 private:
  static void OnWidget(PanelWidget& widget);
  void LayoutPanel(int width, int height);
  void OnRawInput(HRAWINPUT input);
  void OnKey(int32_t virtual_key, int32_t scan_code, bool down);
  void OnPointer(UINT message, LPARAM lparam);
  void Paint();

  SystemKeyNames names_;
  KeyCapture capture_{names_};
  CaptureMode mode_ = kCaptureCombination;
  std::atomic<float> ui_scale_ = 1.0f;  // set from the main window's thread
  std::atomic<bool> end_allowed_{false};
  std::atomic<bool> closed_{false};
  std::mutex in_use_;  // held by Capture for a whole run
  bool raw_input_registered_ = false;
  SkinPanel panel_;
  PanelWidget close_;
  PanelWidget ok_;
  PanelWidget cancel_;
};

}  // namespace tessaro
