#include "shell/marker_column_apply.h"

#include "catalog/function_catalogue.h"
#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"
#include "shell/main_window_state.h"
#include "shell/profile_selection.h"

namespace tessaro {
namespace {

constexpr int kRepaintDelayMs = 100;

MarkerPictureLists& Pictures() {
  static MarkerPictureLists pictures;
  return pictures;
}

// Where a marker widget keeps its menu.
enum MenuValue { kHidList, kExcludedType, kExclusionMask };

// Until a function catalogue names it.
constexpr std::u16string_view kDefaultFunctionName = u"Default";

// An inherited marker's text: its colour at half its opacity.
uint32_t Dimmer(uint32_t color) { return (color & 0x00FFFFFFu) | ((color >> 25) << 24); }

std::u16string DefaultFunctionName() {
  const std::u16string& name = FunctionCatalogueSnapshot()->default_function_name;
  return name.empty() ? std::u16string(kDefaultFunctionName) : name;
}

}  // namespace

void ApplyMarkerColumn(const MarkerColumn& column, MainPanelWidgets& main) {
  main.button_setting_heading.visible = column.heading_visible;
  main.reset.visible = column.reset_visible;
  if (column.reset_visible) main.reset.rect.y = column.reset_y;
  for (int i = 0; i < kMarkerCount; ++i) {
    const MarkerState& state = column.markers[i];
    PanelWidget& marker = main.markers[i];
    marker.visible = state.visible;
    if (state.visible) marker.rect = state.rect;
    if (state.text) CopyToField(*state.text, marker.text, kWidgetTextLength);
    const uint32_t normal = main.panel.button_style.text;
    const uint32_t hover = main.panel.button_hover_style.text;
    marker.style_normal.text = state.inherited ? Dimmer(normal) : normal;
    marker.style_hover.text = state.inherited ? Dimmer(hover) : hover;
    marker.user_ints[kHidList] = state.menu.hid_list;
    marker.user_ints[kExcludedType] = state.menu.excluded_type;
    marker.user_ints[kExclusionMask] = state.menu.exclusion_mask;

    const MarkerLabelState& label_state = column.labels[i];
    PanelLabel& label = main.marker_numbers[i];
    label.visible = label_state.visible;
    if (label_state.y) label.rect.y = *label_state.y;
    if (label_state.height) label.rect.height = *label_state.height;
    if (label_state.text) CopyToField(*label_state.text, label.text, kLabelTextLength);
    if (label_state.font_size) label.style.font_size = *label_state.font_size;
  }
  MarkerPictureLists& pictures = Pictures();
  for (int m = 0; m < kMarkerCaptionCount; ++m) {
    const int number = column.picture_numbers[m];
    pictures.normal[m] = PictureAt(main.panel.pictures.num, number);
    pictures.highlight[m] = PictureAt(main.panel.pictures.num_highlight, number);
  }
}

MarkerMenu MarkerMenuOf(const PanelWidget& marker) {
  return {marker.user_ints[kHidList], marker.user_ints[kExcludedType], marker.user_ints[kExclusionMask]};
}

void RebuildMarkerColumn(MainPanelWidgets& main, MainWindowControl& window) {
  const std::shared_ptr<const TextMap> language = LanguageTexts();
  const MarkerColumnTexts texts{*language, DefaultFunctionName()};
  const int32_t model_index = SelectedModel;
  const std::u16string profile = ShownProfile();
  CopyToField(profile.empty() ? LanguageText(u"all programs") : profile, main.profiles.text, kWidgetTextLength);
  if (model_index < 0) {
    ApplyMarkerColumn(BuildEmptyMarkerColumn(texts), main);
  } else {
    // The labels' base size is a fixed share of the markers' font size.
    const MarkerColumnLayout layout{UiScale, static_cast<float>(main.panel.client.right),
                                    0.8f * main.markers[0].style_normal.font_size, main.global_setting_heading.rect.y};
    const std::optional<ButtonSettingArray> entries = profile.empty() ? std::nullopt : CopyProfileEntries(profile);
    ApplyMarkerColumn(BuildMarkerColumn(Models().GetModel(model_index), CopyButtonSettingList(), texts, layout,
                                        entries ? &*entries : nullptr),
                      main);
  }
  window.RestartTimer(kRepaintTimer, kRepaintDelayMs);
}

const MarkerPictureLists& MarkerPictures() { return Pictures(); }

}  // namespace tessaro
