// The marker column of the main window rebuilt from the current state (the
// selected model, the assignments, the language) and written into the
// window's widgets. Runs on the window's thread: the widgets are the
// painter's too.
#pragma once

#include <array>

#include "device/main_window.h"
#include "shell/main_panel.h"
#include "shell/marker_column.h"

namespace tessaro {

// The skin pictures drawn at the shown markers of the model picture, by
// shown marker; null where the renderer falls back to its own choice.
struct MarkerPictureLists {
  std::array<const PanelImage*, kMarkerCaptionCount> normal{};
  std::array<const PanelImage*, kMarkerCaptionCount> highlight{};
};

// Writes the column into the markers, their labels, the "button setting"
// heading and the reset widget, and sets the marker pictures.
void ApplyMarkerColumn(const MarkerColumn& column, MainPanelWidgets& main);

// What the marker's function menu lists, as the last applied column set it.
MarkerMenu MarkerMenuOf(const PanelWidget& marker);

// Builds the column of SelectedModel (none when -1) from ButtonSettingList
// and the shown program's profile, applies it, names the shown profile on
// the profile list widget and has the window repainted shortly.
void RebuildMarkerColumn(MainPanelWidgets& main, MainWindowControl& window);

// The pictures of the last applied column (window thread).
const MarkerPictureLists& MarkerPictures();

}  // namespace tessaro
