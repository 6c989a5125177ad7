// The function menu of the main window's markers: a click on a marker opens
// the popup list with the functions that marker may take; a choice becomes
// the button's assignment (function_menu_choice.h). Every rebuild of the
// marker column, whichever thread asks for it, runs on the window's thread
// through the main controls' window-thread tasks (controls_window_thread_win.h).
#pragma once

#include "shell/main_dialog_parts.h"

namespace tessaro {

// Hands the markers' handler and the column's rebuild to the main dialog.
void AddFunctionMenu(MainDialogParts& parts);

}  // namespace tessaro
