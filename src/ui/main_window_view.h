// What the main window's renderer reads from the main dialog on a paint.
#pragma once

#include <span>
#include <string_view>

#include "catalog/model_catalogue.h"
#include "ui/panel.h"

namespace tessaro {

struct MainWindowView {
  // The main panel: drawn first; its bars, styles and skin pictures are
  // read. Null draws the not-ready grey.
  SkinPanel* panel = nullptr;
  // Until the dialog is ready the window shows plain grey.
  bool ui_ready = false;
  // The mouse shown (see ModelAt); null when none is.
  const MODEL_DEF* model = nullptr;
  // The lit marker: its HighlightNumber (n among the model's buttons, 12
  // or 13 for the tilt or HID pair), or -1 for none.
  int highlighted = -1;
  // The function menu's pictures for each shown marker, normal and lit;
  // entries may be null.
  std::span<const PanelImage* const> marker_pictures;
  std::span<const PanelImage* const> marker_lit_pictures;
  // The model catalogue's version text.
  std::u16string_view catalogue_version;
  // More than one model is connected: the model list button shows at the
  // left of the bottom bar, and the device text keeps clear of it.
  bool multiple_devices = false;
  const PanelWidget* model_list = nullptr;
  // The name of the profile the window shows (a program's file name, or
  // "All programs"), said in the bottom bar.
  std::u16string_view profile;
  // The "check for updates" link, when the skin gives an update address.
  // While it is hidden it is not placed: the next paint places and shows
  // it, so hiding it (a language change) has it placed again.
  PanelWidget* check_for_updates = nullptr;
};

}  // namespace tessaro
