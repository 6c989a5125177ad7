// The language widget opens the list of languages; a choice switches the
// window, the menus and the stored assignments to that language.
#include <string_view>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_language.h"
#include "shell/controls_popup_win.h"
#include "shell/controls_window_thread_win.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr float kLanguageListScale = 0.9f;
constexpr float kLanguageListWidth = 680.0f;
constexpr int kLayoutDelayMs = 10;

void SetText(PanelWidget& widget, std::u16string_view key) {
  CopyToField(LanguageText(key), widget.text, kWidgetTextLength);
}

void SetText(PanelLabel& label, std::u16string_view key) {
  CopyToField(LanguageText(key), label.text, kLabelTextLength);
}

// Window thread.
void ShowTexts(MainPanelWidgets& main) {
  SetText(main.language, u"language name");
  SetText(main.button_setting_heading, u"button setting");
  SetText(main.global_setting_heading, u"global setting");
  SetText(main.model_list, u"model list");
  SetText(main.reset, u"reset");
  SetText(main.left_hand, u"left hand");
  SetText(main.slowdown, u"slowdown enable");
  if (main.has_check_for_updates) {
    // Hidden, the renderer places it anew for the new text.
    main.check_for_updates.visible = false;
    SetText(main.check_for_updates, u"check for updates");
  }
  RebuildTrayMenu();
}

class WindowLanguageView final : public LanguageView {
 public:
  explicit WindowLanguageView(CTessaroDlg& dialog) : dialog_(dialog) {}

  void ShowLanguageTexts() override {
    WindowThreadTasks::Run([] {
      if (CTessaroDlg* dialog = MainDialog()) ShowTexts(dialog->main_panel());
    });
  }

  void LayOutAgain() override { dialog_.control().RestartTimer(kLanguageLayoutTimer, kLayoutDelayMs); }

 private:
  CTessaroDlg& dialog_;
};

// The popup list's choice thread; the row's value is the language id.
void OnLanguageChosen(int32_t, _QnItemListDB row) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  WindowLanguageView view(*dialog);
  ChangeLanguage(row.function_index, dialog->control(), view);
}

}  // namespace

void OpenLanguageMenu(PanelWidget& widget) {
  const RowArray rows = LanguageList();
  if (rows.empty()) return;
  const float s = UiScale;
  OpenPopupList(rows, {BelowWidget(widget), false, kLanguageListScale * s, static_cast<int>(kLanguageListWidth * s),
                       &OnLanguageChosen});
}

}  // namespace tessaro
