// The main window's controls: the handlers of its widgets (all but the
// markers, close and minimise) and the tray menu, handed to the main
// dialog through its parts.
#pragma once

#include "shell/controls_window_thread_win.h"
#include "shell/main_dialog_parts.h"

namespace tessaro {

class MainControls {
 public:
  // On the thread that runs the main dialog, before it runs; the parts go
  // to the dialog and the controls live as long as it does.
  explicit MainControls(MainDialogParts& parts);

 private:
  WindowThreadTasks tasks_;
};

}  // namespace tessaro
