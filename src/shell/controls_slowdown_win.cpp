// The slowdown check box switches the hotkey on and off; the modifier
// widget records its keys in the key capture dialog, run on a thread of
// its own so the window stays responsive.
#include <atomic>
#include <thread>

#include "catalog/utf.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_slowdown.h"
#include "shell/controls_window_thread_win.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/key_capture_logic.h"

namespace tessaro {
namespace {

// Set from the click until the capture thread is done, so that a second
// click before the dialog shows starts no second capture.
std::atomic<bool> capturing{false};

// The capture thread.
void CaptureKeys() {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  KeyInputDlg& capture = dialog->key_capture();
  // The function menu's custom key may have taken the one dialog meanwhile.
  if (capture.window()) return;
  capture.SetCaptureMode(kCaptureModifiersOnly);
  if (capture.RunModal(dialog->window()) != KeyInputDlg::kOk) return;
  const int32_t captured = capture.captured_modifiers();
  // Modifier mode takes no main key and enables ok only with a modifier;
  // a run ended otherwise keeps the settings as they were.
  if (captured == 0) return;
  SetSlowdownKeys(captured);
  WindowThreadTasks::Run([captured] {
    CTessaroDlg* dialog = MainDialog();
    if (!dialog) return;
    PanelWidget& modifier = dialog->main_panel().modifier;
    CopyToField(ModifierText(captured), modifier.text, kWidgetTextLength);
    modifier.remeasure = true;
    dialog->control().InvalidateWindow();
  });
}

}  // namespace

void SwitchSlowdown(PanelWidget& widget) { SetSlowdownEnabled(widget.checked); }

void CaptureSlowdownKeys(PanelWidget&) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog || dialog->key_capture().window() || capturing.exchange(true)) return;
  // The dialog takes the pointer; the hand cursor would stay otherwise.
  dialog->main_panel().panel.pointer_over_widget = false;
  std::thread([] {
    CaptureKeys();
    capturing = false;
  }).detach();
}

}  // namespace tessaro
