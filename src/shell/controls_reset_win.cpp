// The reset widget: asks in a message box, then clears the shown model's
// assignments.
#include "catalog/language_table.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_reset.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {

void AskAndResetModel(PanelWidget&) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  ResetShownModel(
      [dialog] {
        const std::u16string text = LanguageText(u"reset prompt");
        const std::u16string caption = LanguageText(u"reset");
        // Yes and No, No the default.
        return MessageBoxW(dialog->window(), reinterpret_cast<const wchar_t*>(text.c_str()),
                           reinterpret_cast<const wchar_t*>(caption.c_str()), MB_YESNO | MB_DEFBUTTON2) == IDYES;
      },
      dialog->control());
}

}  // namespace tessaro
