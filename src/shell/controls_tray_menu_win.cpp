// The tray icon's menu: "open setting" shows the window, "exit" ends the
// program. Also gives the popup list, which every menu of the window
// shares, the skin's menu colours.
#include "catalog/function_image_cache.h"
#include "catalog/language_table.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_popup_win.h"
#include "shell/controls_tray_menu.h"
#include "shell/controls_window_thread_win.h"
#include "shell/main_window_state.h"
#include "shell/popup_font.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr float kTrayMenuScale = 0.9f;
constexpr float kTrayMenuWidth = 500.0f;
// Just below the pointer, so the release of the click hits no row.
constexpr LONG kBelowCursor = 2;

// Window thread only.
RowArray tray_menu_rows;

// The popup list's choice thread.
void OnTrayChoice(int32_t, _QnItemListDB row) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  if (row.id == kTrayExit) {
    dialog->RequestQuit();
  } else if (row.id == kTrayOpenSetting) {
    dialog->RequestShow();
  }
}

void StyleFromSkin(QnItemList& list, const SkinPanel& panel) {
  const WidgetStyle& menu = panel.menu_style;
  list.look.background = menu.fill;
  list.look.text_background = menu.fill2;
  list.look.hover = menu.glyph;
  list.look.text = menu.text;
}

}  // namespace

void PrepareMenus() {
  CTessaroDlg* dialog = MainDialog();
  QnItemList* list = MainPopupList();
  if (dialog && list) StyleFromSkin(*list, dialog->main_panel().panel);
  RebuildTrayMenu();
}

void RebuildTrayMenu() {
  WindowThreadTasks::Run([] {
    FunctionImageCache& icons = FunctionImages();
    tray_menu_rows = BuildTrayMenuRows(LanguageText(u"open setting"), LanguageText(u"exit"), icons.Find(u"setting.png"),
                                       icons.Find(u"quit.png"));
  });
}

void OpenTrayMenu() {
  CTessaroDlg* dialog = MainDialog();
  QnItemList* list = MainPopupList();
  if (!dialog || !list) return;
  list->look.font_name = PopupFontFamily(dialog->main_panel().panel.caption_style.font_name, LanguageId);
  POINT cursor{};
  GetCursorPos(&cursor);
  const float s = UiScale;
  OpenPopupList(tray_menu_rows, {{cursor.x, cursor.y + kBelowCursor},
                                 false,
                                 kTrayMenuScale * s,
                                 static_cast<int>(kTrayMenuWidth * s),
                                 &OnTrayChoice});
}

}  // namespace tessaro
