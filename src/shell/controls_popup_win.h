// How the controls open the main window's popup list: the model list, the
// language list and the tray menu share the steps and differ in rows,
// anchor, icon column, scale, width and what a choice does.
#pragma once

#include <windows.h>

#include "catalog/menu_row.h"
#include "ui/item_list_win.h"
#include "ui/panel.h"

namespace tessaro {

struct PopupOpening {
  POINT anchor{};  // screen point of the list's top left
  bool icon_column = false;
  float scale = 1.0f;
  int width = 0;
  ItemChoiceCallback on_choice = nullptr;
};

// The main window's popup list, or null while there is none.
QnItemList* MainPopupList();

// Closes the list when it shows, then opens it with all top-level rows.
// User-interface thread; nothing without the list.
void OpenPopupList(const RowArray& rows, const PopupOpening& opening);

// The widget's bottom left corner on the screen.
POINT BelowWidget(const PanelWidget& widget);

}  // namespace tessaro
