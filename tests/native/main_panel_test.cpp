// The main window's panel laid out again after a change of the display
// scale: as a window started at the new size lays it out, with what changed
// since its own start kept.
#include "shell/main_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/utf.h"
#include "ui/panel_layout.h"
#include "ui/ui_font.h"

namespace tessaro {
namespace {

void OnReset(PanelWidget&) {}
void OnMarker(PanelWidget&) {}

MainWidgetHandlers Handlers() {
  MainWidgetHandlers handlers;
  handlers.reset = &OnReset;
  handlers.open_function_menu = &OnMarker;
  return handlers;
}

// The panel as the main dialog makes it at start for a window of the
// given size, with its font already chosen at font_size.
void Start(MainPanelWidgets& main, int width, int height, float font_size) {
  UiFont font{u"Tahoma", font_size};
  SkinPanel& panel = main.panel;
  panel.client = {0, 0, width, height};
  panel.scale = width / 2400.0f;
  InitPanel(panel, font, PlatformFontProbe());
  panel.title_bar.left = kAutoLayoutBars;
  LayoutBars(panel);
  MainPanelState state;
  state.has_update_url = true;
  AddMainWidgets(main, Handlers(), state);
}

void ExpectSameRect(const RectF& actual, const RectF& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.width, expected.width);
  EXPECT_FLOAT_EQ(actual.height, expected.height);
}

std::u16string Text(const char16_t* field) { return field; }

TEST(RescaleMainPanel, LaysOutAsAStartAtTheNewSizeAndKeepsWhatChangedSince) {
  MainPanelWidgets rescaled;
  Start(rescaled, 1152, 768, 19.2f);
  // What the settings, the user and the marker column changed since.
  rescaled.left_hand.checked = true;
  rescaled.slowdown.checked = true;
  CopyToField(u"Ctrl + Alt", rescaled.modifier.text, kWidgetTextLength);
  CopyToField(u"Deutsch", rescaled.language.text, kWidgetTextLength);
  rescaled.markers[2].visible = true;
  CopyToField(u"Copy", rescaled.markers[2].text, kWidgetTextLength);
  rescaled.marker_numbers[2].visible = true;
  CopyToField(u"Tilt left 3", rescaled.marker_numbers[2].text, kLabelTextLength);
  rescaled.button_setting_heading.visible = true;
  rescaled.reset.visible = true;
  rescaled.check_for_updates.visible = true;  // placed by the renderer
  rescaled.panel.background = std::make_unique<PanelLayer>();

  RescaleMainPanel(rescaled, Handlers(), {0, 0, 1440, 960}, 0.6f, 24.0f);

  MainPanelWidgets started;
  Start(started, 1440, 960, 24.0f);
  const SkinPanel& a = rescaled.panel;
  const SkinPanel& b = started.panel;
  EXPECT_FLOAT_EQ(a.scale, 0.6f);
  EXPECT_EQ(a.client.right, 1440);
  EXPECT_EQ(a.client.bottom, 960);
  EXPECT_EQ(a.title_bar.bottom, b.title_bar.bottom);
  EXPECT_EQ(a.bottom_bar.top, b.bottom_bar.top);
  EXPECT_EQ(a.bottom_bar.right, b.bottom_bar.right);
  EXPECT_FLOAT_EQ(a.caption_style.font_size, 24.0f);
  EXPECT_FLOAT_EQ(a.button_style.font_size, 24.0f);
  EXPECT_EQ(a.background, nullptr);  // drawn again at the new size
  ASSERT_EQ(a.widgets.size(), b.widgets.size());
  for (size_t i = 0; i < a.widgets.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectSameRect(a.widgets[i]->rect, b.widgets[i]->rect);
    EXPECT_FLOAT_EQ(a.widgets[i]->style_normal.font_size, b.widgets[i]->style_normal.font_size);
    EXPECT_FLOAT_EQ(a.widgets[i]->style_hover.font_size, b.widgets[i]->style_hover.font_size);
    EXPECT_EQ(a.widgets[i]->callback, b.widgets[i]->callback);
  }
  ASSERT_EQ(a.labels.size(), b.labels.size());
  for (size_t i = 0; i < a.labels.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectSameRect(a.labels[i]->rect, b.labels[i]->rect);
    EXPECT_FLOAT_EQ(a.labels[i]->style.font_size, b.labels[i]->style.font_size);
  }

  EXPECT_TRUE(rescaled.left_hand.checked);
  EXPECT_TRUE(rescaled.slowdown.checked);
  EXPECT_EQ(Text(rescaled.modifier.text), u"Ctrl + Alt");
  EXPECT_EQ(Text(rescaled.language.text), u"Deutsch");
  EXPECT_TRUE(rescaled.markers[2].visible);
  EXPECT_FALSE(rescaled.markers[3].visible);
  EXPECT_EQ(Text(rescaled.markers[2].text), u"Copy");
  EXPECT_TRUE(rescaled.marker_numbers[2].visible);
  EXPECT_EQ(Text(rescaled.marker_numbers[2].text), u"Tilt left 3");
  EXPECT_TRUE(rescaled.button_setting_heading.visible);
  EXPECT_TRUE(rescaled.reset.visible);
  EXPECT_TRUE(rescaled.global_setting_heading.visible);
  // Hidden, so that the next paint places it at the new size.
  EXPECT_FALSE(rescaled.check_for_updates.visible);
}

}  // namespace
}  // namespace tessaro
