#include "shell/controls_popup_win.h"

#include "shell/tessaro_dlg_win.h"

namespace tessaro {

QnItemList* MainPopupList() {
  CTessaroDlg* dialog = MainDialog();
  QnItemList* list = dialog ? dialog->popup_list() : nullptr;
  return list && list->window() ? list : nullptr;
}

void OpenPopupList(const RowArray& rows, const PopupOpening& opening) {
  QnItemList* list = MainPopupList();
  if (!list) return;
  if (list->IsOpen()) list->CloseList();
  list->SetRows(rows, 0, 0, 0);
  list->icon_column = opening.icon_column;
  list->on_choice = opening.on_choice;
  list->OpenAt(opening.anchor.x, opening.anchor.y, 0, opening.scale, opening.width);
}

POINT BelowWidget(const PanelWidget& widget) {
  POINT point{static_cast<LONG>(widget.rect.x), static_cast<LONG>(widget.rect.y + widget.rect.height)};
  if (CTessaroDlg* dialog = MainDialog()) ClientToScreen(dialog->window(), &point);
  return point;
}

}  // namespace tessaro
