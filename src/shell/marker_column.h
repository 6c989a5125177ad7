// The column of button markers on the right of the main window: which
// markers show and where, the function each one shows, its number label,
// and what its function menu offers. A column is built as plain data on
// whichever thread asks (a device refresh, a menu choice) and applied to
// the window's widgets on the window's own thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/language_table.h"
#include "catalog/model_catalogue.h"
#include "device/button_setting.h"
#include "shell/marker_highlight.h"
#include "ui/panel.h"

namespace tessaro {

// Captions and marker pictures are kept per shown marker.
inline constexpr int kMarkerCaptionCount = 20;

// What a marker's function menu lists (the widget's three owner values).
struct MarkerMenu {
  int32_t hid_list = 0;        // 1: the HID function list, 0: the general one
  int32_t excluded_type = 0;   // a function type left out when positive
  int32_t exclusion_mask = 0;  // rows whose disable mask meets it are left out
};

struct MarkerState {
  bool visible = false;
  RectF rect;                          // set only on shown markers
  std::optional<std::u16string> text;  // empty: the marker keeps its text
  MarkerMenu menu;
  // A program's profile is shown and does not assign the button: the text
  // is what the default assignments give it, drawn dimmer.
  bool inherited = false;
};

struct MarkerLabelState {
  bool visible = false;
  std::optional<float> y;  // empty: the label stays where it is
  std::optional<float> height;
  std::optional<std::u16string> text;  // empty: the label keeps its text
  std::optional<float> font_size;
};

struct MarkerColumn {
  bool heading_visible = false;  // "button setting"
  bool reset_visible = false;
  float reset_y = 0.0f;
  std::array<MarkerState, kMarkerCount> markers;
  // Label m belongs to the m-th shown marker.
  std::array<MarkerLabelState, kMarkerCount> labels;
  std::array<std::u16string, kMarkerCaptionCount> captions;
  // The skin's numbered marker picture (1 to 10) per shown marker, normal
  // and highlighted alike; 0 for none.
  std::array<int, kMarkerCaptionCount> picture_numbers{};
};

// The window's lengths the column is laid out in.
struct MarkerColumnLayout {
  float scale = 1.0f;            // UiScale
  float client_right = 0.0f;     // the panel's client right
  float label_font_size = 0.0f;  // the labels' base size
  float column_bottom = 0.0f;    // what lies below: the column ends above it
};

// The texts the column shows besides the assignments' names.
struct MarkerColumnTexts {
  const TextMap& language;
  std::u16string default_function_name;  // what an unassigned button does
};

// Rows are spaced closer the more markers show.
float RowSpacingFactor(int shown_markers);

// A label's font size: long texts a little smaller so they fit the label.
float LabelFontSize(std::u16string_view text, float base_size);

// The text of an unassigned marker: the button's own action in the current
// language with the default function's name, or that name alone. Null
// model: the column without a model, where only buttons 0 to 4 name their
// own action.
std::u16string DefaultMarkerText(int marker, const MODEL_DEF* model, const MarkerColumnTexts& texts);

// The column while no model is selected: every marker and label hidden.
MarkerColumn BuildEmptyMarkerColumn(const MarkerColumnTexts& texts);

// The column of a model with the given assignments (any list: entries of
// other models are passed over). With a program's profile, its
// assignments replace those for the buttons they name, and every other
// marker is marked inherited.
MarkerColumn BuildMarkerColumn(const MODEL_DEF& model, const ButtonSettingArray& assignments,
                               const MarkerColumnTexts& texts, const MarkerColumnLayout& layout,
                               const ButtonSettingArray* profile = nullptr);

}  // namespace tessaro
