#include "shell/marker_column.h"

#include <algorithm>
#include <bit>
#include <string>

#include "catalog/utf.h"

namespace tessaro {
namespace {

constexpr int kTiltLeft = kModelButtonEntries;  // markers 12 and 13
constexpr int kHidMarkers = kMarkerCount - kModelButtonEntries;
constexpr int kPictureNumbers = 10;  // the skin's numbered markers
constexpr size_t kShortLabel = 6;
// A row and the space after it, in row heights, where rows are packed
// closest; packed closer still, the markers shrink to keep that space.
constexpr float kPackedPitch = 1.2f;
// Rows are never packed closer than this many row heights.
constexpr float kSmallestRow = 0.5f;

// The keys of the actions buttons 0 to 4 have of their own.
constexpr std::u16string_view kOwnActionKeys[] = {u"left click", u"right click", u"middle click", u"backward",
                                                  u"forward"};

std::u16string Text(const TextMap& texts, std::u16string_view key) {
  const auto found = texts.find(std::u16string(key));
  return found == texts.end() ? std::u16string() : found->second;
}

std::u16string Number(int n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

// "text number" or "text caption": built by joining, so no text ever acts
// as a format.
std::u16string Joined(std::u16string_view first, std::u16string_view second) {
  std::u16string joined(first);
  joined += u' ';
  joined += second;
  return joined;
}

std::u16string WithDefault(std::u16string_view own_action, std::u16string_view default_name) {
  std::u16string text(own_action);
  text += u" (";
  text += default_name;
  text += u')';
  return text;
}

// The own action named by a language key, with the default function; the
// default function alone when the key or its text is missing.
std::u16string OwnActionText(std::u16string_view key, const MarkerColumnTexts& texts) {
  const std::u16string own = key.empty() ? std::u16string() : Text(texts.language, key);
  return own.empty() ? texts.default_function_name : WithDefault(own, texts.default_function_name);
}

// The marker an assignment of the model belongs to, or -1 when the column
// has none for it. A HID code pair names the model's HID entry with that
// press code (entry 0 when none has it).
int AssignedMarker(const VX_TRIGGER_DEF& trigger, const MODEL_DEF& model) {
  const bool tilt_model = model.tilt > 0;
  if (trigger.tilt_mask == 1 || trigger.tilt_mask == 2) return tilt_model ? kTiltLeft + trigger.tilt_mask - 1 : -1;
  if (trigger.tilt_mask != 0) return -1;
  if (trigger.hid_num_down == 0 || trigger.hid_num_up == 0) {
    const uint32_t mask = trigger.hid_button == 0 ? trigger.mouse_button : trigger.hid_button;
    if (static_cast<int32_t>(mask) <= 0) return -1;
    const int b = std::bit_width(mask) - 1;
    return b > 0 && b < kModelButtonEntries ? b : -1;
  }
  if (tilt_model) return -1;
  int entry = 0;
  for (int k = 0; k < kModelHidPositions; ++k) {
    if (model.hid_down[k] == trigger.hid_num_down) {
      entry = k;
      break;
    }
  }
  return entry < kHidMarkers ? kTiltLeft + entry : -1;
}

bool ButtonShown(const MODEL_DEF& model, int i) { return (model.button >> i) & 1u; }

bool HidEntryShown(const MODEL_DEF& model, int k) {
  return model.tilt <= 0 && k < model.hid_count && model.hid_down[k] != 0 && model.hid_up[k] != 0;
}

}  // namespace

float RowSpacingFactor(int shown_markers) {
  if (shown_markers >= 8) return 1.2f;
  if (shown_markers >= 6) return 1.33f;
  if (shown_markers >= 4) return 1.75f;
  return 2.0f;
}

float LabelFontSize(std::u16string_view text, float base_size) {
  return text.size() > kShortLabel ? 0.95f * base_size : base_size;
}

std::u16string DefaultMarkerText(int marker, const MODEL_DEF* model, const MarkerColumnTexts& texts) {
  if (marker >= 0 && marker < static_cast<int>(std::size(kOwnActionKeys)))
    return OwnActionText(kOwnActionKeys[marker], texts);
  if (!model) return texts.default_function_name;
  if (marker < kModelButtonEntries) return OwnActionText(model->function[marker], texts);
  if (model->tilt > 0) return OwnActionText(model->tilt_function[marker - kTiltLeft], texts);
  return texts.default_function_name;
}

MarkerColumn BuildEmptyMarkerColumn(const MarkerColumnTexts& texts) {
  MarkerColumn column;
  for (int i = 0; i < kMarkerCount; ++i) column.markers[i].text = DefaultMarkerText(i, nullptr, texts);
  return column;
}

MarkerColumn BuildMarkerColumn(const MODEL_DEF& model, const ButtonSettingArray& assignments,
                               const MarkerColumnTexts& texts, const MarkerColumnLayout& layout,
                               const ButtonSettingArray* profile) {
  MarkerColumn column;
  column.heading_visible = true;
  const bool tilt_model = model.tilt > 0;

  // Menus and captions of the markers the model has.
  int shown = 0;
  int numbered = 0;
  for (int i = 0; i < kMarkerCount; ++i) {
    MarkerMenu& menu = column.markers[i].menu;
    menu.exclusion_mask = 1 << i;
    menu.hid_list = model.one_time[i] == 1 ? 1 : 0;
    menu.excluded_type = i < kModelButtonEntries ? model.exclude[i] : model.tilt_exclude[i - kTiltLeft];
    if (i >= kModelButtonEntries || !ButtonShown(model, i)) continue;
    const int m = shown++;
    if (model.numStr[i].empty()) {
      ++numbered;
      column.captions[m] = Number(numbered);
      if (numbered <= kPictureNumbers) column.picture_numbers[m] = numbered;
    } else if (model.str[i].empty()) {
      column.captions[m] = model.numStr[i];
    } else {
      column.captions[m] = Text(texts.language, model.str[i]) + model.numStr[i];
    }
  }
  if (tilt_model) {
    for (int t = 0; t < kHidMarkers; ++t) {
      column.markers[kTiltLeft + t].menu.hid_list = 1;
      column.captions[shown++] = model.tilt_numStr[t];
    }
  }

  // The names of the model's assignments; a profile's after the default
  // ones, which they replace.
  for (MarkerState& marker : column.markers) marker.inherited = profile != nullptr;
  const auto name_assigned = [&](const ButtonSettingArray& list, bool inherited) {
    for (const BUTTON_SETTING_DEF& entry : list) {
      if (!TriggerOfModel(entry.trigger, model)) continue;
      const int marker = AssignedMarker(entry.trigger, model);
      if (marker < 0) continue;
      column.markers[marker].text =
          std::u16string(entry.function_name, FieldLength(entry.function_name, kFunctionNameUnits));
      column.markers[marker].inherited = inherited;
      // A HID button that reports one code for press and release.
      const VX_TRIGGER_DEF& t = entry.trigger;
      if (marker >= kTiltLeft && t.tilt_mask == 0 && t.hid_num_down == t.hid_num_up)
        column.markers[marker].menu.hid_list = 1;
    }
  };
  name_assigned(assignments, profile != nullptr);
  if (profile) name_assigned(*profile, false);

  const float s = layout.scale;
  const int row_height = static_cast<int>(100 * s);
  const int width = static_cast<int>(880 * s);
  int rows = shown;
  for (int k = 0; k < kHidMarkers; ++k) rows += HidEntryShown(model, k) ? 1 : 0;
  // The rows close up, and at last shrink, so that the reset widget below
  // them still ends a gap above the global settings.
  const float top = 260 * s;
  const float spaced = row_height * RowSpacingFactor(shown);
  const float fitting = rows > 0 ? (layout.column_bottom - top - kPackedPitch * row_height) / rows : spaced;
  const float step = std::max(std::min(spaced, fitting), kSmallestRow * row_height);
  const float height = std::min(static_cast<float>(row_height), step / kPackedPitch);
  auto row_y = [&](int k) { return top + k * step; };
  for (int k = 0; k < kMarkerCount; ++k) {
    column.labels[k].y = row_y(k);
    column.labels[k].height = height;
  }

  int m = 0;
  auto show = [&](int marker, std::u16string label) {
    MarkerState& state = column.markers[marker];
    state.visible = true;
    state.rect = {layout.client_right - 60 * s - width, row_y(m), static_cast<float>(width), height};
    if (!state.text) state.text = DefaultMarkerText(marker, &model, texts);  // not assigned
    MarkerLabelState& number = column.labels[m];
    number.visible = true;
    number.font_size = LabelFontSize(label, layout.label_font_size);
    number.text = std::move(label);
    ++m;
  };

  for (int i = 0; i < kModelButtonEntries; ++i) {
    if (!ButtonShown(model, i)) continue;
    const std::u16string& caption = column.captions[m];
    std::u16string label = Number(m + 1);
    if (!caption.empty()) label = caption;
    if (!model.str[i].empty()) label = Joined(Text(texts.language, model.str[i]), Number(m + 1));
    // A marker drawn as a tilt picture is named by its side.
    if (model.image[i].size() > 1) label = caption.empty() ? (model.image[i][0] == u'l' ? u"L" : u"R") : caption;
    show(i, std::move(label));
  }
  if (tilt_model) {
    for (int t = 0; t < kHidMarkers; ++t) {
      const std::u16string side = Text(texts.language, t == 0 ? u"tilt left" : u"tilt right");
      const std::u16string& caption = column.captions[m];
      std::u16string label = Joined(side, caption.empty() ? Number(m + 1) : caption);
      if (!model.tilt_str[t].empty()) label = Joined(Text(texts.language, model.tilt_str[t]), Number(m + 1));
      show(kTiltLeft + t, std::move(label));
    }
  } else {
    for (int k = 0; k < kHidMarkers; ++k)
      if (HidEntryShown(model, k)) show(kTiltLeft + k, Number(m + 1));
  }

  column.reset_visible = true;
  column.reset_y = row_y(m);
  return column;
}

}  // namespace tessaro
