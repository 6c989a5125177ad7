// The function menu of the main window's markers: a click on a marker opens
// the popup list with the functions that marker may take; a choice becomes
// the button's assignment (function_menu_choice.h) and the marker column is
// rebuilt on the window's thread.
#pragma once

#include "shell/main_dialog_parts.h"
#include "shell/marker_column_win.h"

namespace tessaro {

class FunctionMenu {
 public:
  // On the thread that runs the main dialog, before it runs; the parts go
  // to the dialog and the menu lives as long as it does.
  explicit FunctionMenu(MainDialogParts& parts);

 private:
  MarkerColumnRequests rebuilds_;
};

}  // namespace tessaro
