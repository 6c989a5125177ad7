// The main window's panel: its widgets and labels, made once at start in
// a fixed order (the order is their drawing and hit-testing order) and
// laid out on the window's scale. Texts are looked up in the current
// language when a widget is made.
#pragma once

#include <array>
#include <cstdint>

#include "shell/marker_highlight.h"
#include "ui/panel.h"

namespace tessaro {

// What clicking each widget does; an empty entry makes a widget that
// reacts to nothing.
struct MainWidgetHandlers {
  WidgetCallback hide_or_minimise = nullptr;  // close and minimise widgets
  WidgetCallback open_model_menu = nullptr;
  WidgetCallback reset = nullptr;
  WidgetCallback open_function_menu = nullptr;  // every marker
  WidgetCallback left_hand = nullptr;
  WidgetCallback open_language_menu = nullptr;
  WidgetCallback open_profile_menu = nullptr;
  WidgetCallback slowdown = nullptr;
  WidgetCallback capture_modifier = nullptr;
  WidgetCallback open_update_page = nullptr;
};

struct MainPanelWidgets {
  MainPanelWidgets() = default;
  // The panel holds pointers to the widgets and labels: they never move.
  MainPanelWidgets(const MainPanelWidgets&) = delete;
  MainPanelWidgets& operator=(const MainPanelWidgets&) = delete;

  SkinPanel panel;
  PanelWidget close;
  PanelWidget minimise;
  PanelWidget model_list;
  PanelWidget reset;
  // Marker i (its user_value) shows the function of button i.
  std::array<PanelWidget, kMarkerCount> markers;
  PanelWidget left_hand;
  PanelWidget language;
  // Beside the language widget: names the shown profile, opens the list of
  // profiles.
  PanelWidget profiles;
  PanelWidget slowdown;
  PanelWidget modifier;
  // Part of the panel only when the skin gives an update address.
  PanelWidget check_for_updates;
  bool has_check_for_updates = false;
  std::array<PanelLabel, kMarkerCount> marker_numbers;
  PanelLabel button_setting_heading;
  PanelLabel global_setting_heading;
};

// Main panel layout inputs that come from the system and the settings.
struct MainPanelState {
  bool buttons_swapped = false;   // the left-hand check box starts checked
  int32_t slowdown_modifier = 1;  // shown on the modifier widget
  bool has_update_url = false;
};

// Adds the widgets and labels to the panel. The panel is initialised, its
// client rectangle, bars and scale set, and the skin loaded.
void AddMainWidgets(MainPanelWidgets& main, const MainWidgetHandlers& handlers, const MainPanelState& state);

// The display scale changed: the panel takes its new client rectangle,
// scale and font size, and its widgets and labels are laid out as
// AddMainWidgets lays out those of a window started at that size. What
// changed since the start stays: every text, what shows, what is checked.
// The update link is hidden, so that the renderer places it again; the
// marker column is its builder's to lay out again.
void RescaleMainPanel(MainPanelWidgets& main, const MainWidgetHandlers& handlers, const PanelRect& client, float scale,
                      float font_size);

// The modifier widget follows the slowdown check box's text, which is
// measured only when drawn.
void PlaceModifierWidget(MainPanelWidgets& main);

// The marker widget under the pointer after the last hit test, or -1.
int HotMarker(const MainPanelWidgets& main);

// The window's panel while the main dialog lives; null otherwise.
MainPanelWidgets* MainPanel();
void SetMainPanel(MainPanelWidgets* main);

}  // namespace tessaro
