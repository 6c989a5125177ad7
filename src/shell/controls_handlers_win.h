// The handlers of the main window's controls and of the tray menu, each in
// the file of its concern; controls_win.cpp hands them to the dialog.
#pragma once

#include "ui/panel.h"

namespace tessaro {

// User-interface thread, as the panel calls its widgets' handlers.
void OpenModelMenu(PanelWidget& widget);           // controls_model_list_win.cpp
void AskAndResetModel(PanelWidget& widget);        // controls_reset_win.cpp
void SwapButtonsForLeftHand(PanelWidget& widget);  // controls_left_hand_win.cpp
void OpenLanguageMenu(PanelWidget& widget);        // controls_language_win.cpp
void OpenProfileMenu(PanelWidget& widget);         // controls_profiles_win.cpp
void SwitchSlowdown(PanelWidget& widget);          // controls_slowdown_win.cpp
void CaptureSlowdownKeys(PanelWidget& widget);     // controls_slowdown_win.cpp
void OpenUpdatePage(PanelWidget& widget);          // controls_update_page_win.cpp

// controls_tray_menu_win.cpp. At start: the popup list takes the skin's
// menu colours and the tray menu its rows. The tray icon's click timer
// opens the menu at the cursor.
void PrepareMenus();
void OpenTrayMenu();
// The tray menu's rows again, in the current language; any thread.
void RebuildTrayMenu();

}  // namespace tessaro
