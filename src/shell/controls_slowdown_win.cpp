// The slowdown check box switches the hotkey on and off; the modifier
// widget records its keys in the key capture dialog, run on a thread of
// its own so the window stays responsive.
#include "shell/controls_handlers_win.h"
#include "shell/controls_slowdown.h"
#include "shell/controls_window_thread_win.h"
#include "shell/tessaro_dlg_win.h"
#include "ui/key_capture_logic.h"

namespace tessaro {
namespace {

// The capture thread.
void CaptureKeys() {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  // Nothing when the function menu's custom key, or an earlier click, has
  // the one dialog.
  const auto keys = dialog->key_capture().Capture(dialog->window(), kCaptureModifiersOnly);
  // Modifier mode takes no main key and enables ok only with a modifier;
  // a run ended otherwise keeps the settings as they were.
  if (!keys || keys->modifiers == 0) return;
  SetSlowdownKeys(keys->modifiers);
  WindowThreadTasks::Run([] {
    CTessaroDlg* dialog = MainDialog();
    if (!dialog) return;
    ShowStoredSlowdown(dialog->main_panel());
    dialog->control().InvalidateWindow();
  });
}

}  // namespace

void SwitchSlowdown(PanelWidget& widget) { SetSlowdownEnabled(widget.checked); }

void CaptureSlowdownKeys(PanelWidget&) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog || dialog->key_capture().window()) return;
  // The dialog takes the pointer; the hand cursor would stay otherwise.
  dialog->main_panel().panel.pointer_over_widget = false;
  dialog->StartWindowWork(&CaptureKeys);
}

}  // namespace tessaro
