#include "shell/controls_win.h"

#include "shell/controls_handlers_win.h"

namespace tessaro {

MainControls::MainControls(MainDialogParts& parts) {
  MainWidgetHandlers& widgets = parts.widgets;
  widgets.open_model_menu = &OpenModelMenu;
  widgets.reset = &AskAndResetModel;
  widgets.left_hand = &SwapButtonsForLeftHand;
  widgets.open_language_menu = &OpenLanguageMenu;
  widgets.open_profile_menu = &OpenProfileMenu;
  widgets.slowdown = &SwitchSlowdown;
  widgets.capture_modifier = &CaptureSlowdownKeys;
  widgets.open_update_page = &OpenUpdatePage;
  parts.build_tray_menu = &PrepareMenus;
  parts.open_tray_menu = &OpenTrayMenu;
}

}  // namespace tessaro
