// What the shell's other parts plug into the main dialog: the widgets'
// handlers, the marker column's builder and the tray menu. Each entry may
// be left empty; the dialog then leaves that work out (a widget reacts to
// nothing, a tray click opens nothing).
#pragma once

#include "shell/main_panel.h"

namespace tessaro {

struct MainDialogParts {
  // Every widget but close and minimise, which the dialog handles itself.
  MainWidgetHandlers widgets;
  // Rebuilds the marker column from the selected model and its
  // assignments. Called on whichever thread asks (a device refresh worker,
  // the driver's events); it hands window work on by posting.
  void (*rebuild_function_menu)() = nullptr;
  // Builds the tray menu's rows, once at start (user-interface thread).
  void (*build_tray_menu)() = nullptr;
  // Opens the tray menu at the cursor (user-interface thread).
  void (*open_tray_menu)() = nullptr;
};

}  // namespace tessaro
