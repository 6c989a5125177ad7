#include "ui/panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "ui/panel_layout.h"
#include "ui/ui_font.h"

namespace tessaro {
namespace {

class FakeFontProbe final : public FontProbe {
 public:
  FakeFontProbe(std::vector<std::u16string> families, int width) : families_(std::move(families)), width_(width) {}
  bool HasFamily(std::u16string_view name) const override {
    ++enumerations;
    for (const auto& f : families_)
      if (f.starts_with(name)) return true;
    return false;
  }
  int WorkAreaWidthAtCursor() const override { return width_; }
  mutable int enumerations = 0;

 private:
  std::vector<std::u16string> families_;
  int width_;
};

const std::u16string kJhengHei = u"\u5FAE\u8EDF\u6B63\u9ED1\u9AD4";

TEST(UiFont, FamilyAndSizeComeFromTheSystemOnce) {
  const struct {
    std::vector<std::u16string> families;
    int work_area_width;
    std::u16string name;
    float size;
    int driver_size;
    float text_offset;
  } cases[] = {
      {{}, 1280, u"Tahoma", 14.0f, 14, 0.0f},  // 12.8 raised to the minimum
      {{}, 1920, u"Tahoma", 19.2f, 19, 0.0f},
      {{kJhengHei}, 2560, kJhengHei, 25.6f, 25, 0.0f},
      {{u"Meiryo2 UI", kJhengHei}, 1400, u"Meiryo2", 14.0f, 14, 0.1f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.work_area_width);
    fake_vxlib::Reset();
    UiFont font;
    FakeFontProbe probe(c.families, c.work_area_width);
    SkinPanel panel;
    InitPanel(panel, font, probe);
    EXPECT_EQ(font.name, c.name);
    EXPECT_FLOAT_EQ(font.size, c.size);
    EXPECT_FLOAT_EQ(panel.text_offset, c.text_offset);
    const auto calls = fake_vxlib::CallsNamed("VX_SetFontSize");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, std::vector<int>{c.driver_size});
    EXPECT_EQ(calls[0].text, c.name);
  }
}

TEST(UiFont, SecondPanelReusesTheChoice) {
  UiFont font;
  FakeFontProbe probe({u"Meiryo2"}, 1920);
  SkinPanel first;
  InitPanel(first, font, probe);
  const int enumerations = probe.enumerations;

  fake_vxlib::Reset();
  SkinPanel second;
  InitPanel(second, font, probe);
  EXPECT_EQ(probe.enumerations, enumerations);
  EXPECT_TRUE(fake_vxlib::CallsNamed("VX_SetFontSize").empty());
  EXPECT_EQ(second.text_offset, 0.0f);
  EXPECT_FLOAT_EQ(second.panel_style.font_size, 19.2f);
}

TEST(UiFont, ANewSizeIsToldToTheDriverLibraryAsTheChoiceWas) {
  UiFont font{u"Tahoma", 19.2f};
  fake_vxlib::Reset();
  ResizeUiFont(font, 38.4f);
  EXPECT_FLOAT_EQ(font.size, 38.4f);
  const auto calls = fake_vxlib::CallsNamed("VX_SetFontSize");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, std::vector<int>{38});
  EXPECT_EQ(calls[0].text, u"Tahoma");
}

TEST(InitPanel, StylesCarryTheChosenFontAndOldStateIsDropped) {
  UiFont font;
  FakeFontProbe probe({kJhengHei}, 1920);
  SkinPanel panel;
  PanelWidget widget;
  panel.widgets.push_back(&widget);
  panel.hot = &widget;
  panel.background = std::make_unique<PanelLayer>();
  InitPanel(panel, font, probe);
  EXPECT_TRUE(panel.widgets.empty());
  EXPECT_EQ(panel.hot, nullptr);
  EXPECT_EQ(panel.background, nullptr);
  for (const WidgetStyle* style : {&panel.caption_style, &panel.panel_style, &panel.button_style,
                                   &panel.button_hover_style, &panel.text_style, &panel.menu_style}) {
    EXPECT_EQ(std::u16string(style->font_name), kJhengHei);
    EXPECT_FLOAT_EQ(style->font_size, 19.2f);
  }
}

// A panel with default styles and a row of visible widgets 100 x 40 wide,
// 10 apart, starting at (10, 10).
class PanelHitTestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    for (size_t i = 0; i < std::size(widgets); ++i) {
      PanelWidget& w = widgets[i];
      w.rect = {10.0f + 110.0f * i, 10.0f, 100.0f, 40.0f};
      w.visible = true;
      w.user_value = static_cast<intptr_t>(i);
      w.callback = [](PanelWidget& clicked) { calls.push_back(static_cast<int>(clicked.user_value)); };
      ASSERT_TRUE(AddWidget(panel, w));
    }
  }
  // A point inside widget i.
  static int X(int i) { return 60 + 110 * i; }
  static constexpr int kY = 30;

  void Click(int down_x, int up_x) {
    PanelHitTest(panel, kMessageLeftDown, down_x, kY);
    PanelHitTest(panel, kMessageLeftUp, up_x, kY);
  }

  SkinPanel panel;
  PanelWidget widgets[3];
  static inline std::vector<int> calls;
};

TEST_F(PanelHitTestTest, ClickCallsTheWidgetOnceAndTogglesIt) {
  Click(X(1), X(1));
  EXPECT_EQ(calls, std::vector<int>{1});
  EXPECT_TRUE(widgets[1].checked);
  Click(X(1), X(1));
  EXPECT_FALSE(widgets[1].checked);
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(PanelHitTestTest, ReleaseAwayFromThePressedWidgetCallsNothing) {
  Click(X(0), X(2));                              // released on another widget
  Click(X(0), 5);                                 // released outside every widget
  PanelHitTest(panel, kMessageLeftUp, X(1), kY);  // release without a press
  EXPECT_TRUE(calls.empty());
  for (const PanelWidget& w : widgets) EXPECT_FALSE(w.checked);
}

TEST_F(PanelHitTestTest, PressInOnePanelDoesNotClickTheSameIndexInAnother) {
  SkinPanel other;
  PanelWidget twin = widgets[0];
  twin.user_value = 99;
  AddWidget(other, twin);
  PanelHitTest(panel, kMessageLeftDown, X(0), kY);
  PanelHitTest(other, kMessageLeftUp, X(0), kY);
  PanelHitTest(panel, kMessageLeftUp, X(0), kY);  // the press was forgotten
  EXPECT_TRUE(calls.empty());
}

TEST_F(PanelHitTestTest, DisabledHiddenAndInactiveWidgetsAreNeverHotOrCalled) {
  widgets[0].disabled = true;
  widgets[1].visible = false;
  widgets[2].state = WidgetState::kInactive;
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(PanelHitTest(panel, 0x0200, X(i), kY));
    Click(X(i), X(i));
    EXPECT_EQ(panel.hot, nullptr);
    EXPECT_FALSE(panel.pointer_over_widget);
    EXPECT_FALSE(panel.repaint_pending);
  }
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(widgets[0].state, WidgetState::kNormal);
  EXPECT_EQ(widgets[1].state, WidgetState::kNormal);
  EXPECT_EQ(widgets[2].state, WidgetState::kInactive);
}

TEST_F(PanelHitTestTest, StatesFollowThePointer) {
  EXPECT_TRUE(PanelHitTest(panel, 0x0200, X(1), kY));
  EXPECT_EQ(panel.hot, &widgets[1]);
  EXPECT_EQ(widgets[1].state, WidgetState::kHover);
  PanelHitTest(panel, kMessageLeftDown, X(1), kY);
  EXPECT_EQ(widgets[1].state, WidgetState::kPressed);
  PanelHitTest(panel, kMessageLeftUp, X(1), kY);
  EXPECT_EQ(widgets[1].state, WidgetState::kHover);
  EXPECT_FALSE(PanelHitTest(panel, 0x0200, 5, 5));
  EXPECT_EQ(widgets[1].state, WidgetState::kNormal);
  EXPECT_EQ(panel.hot, nullptr);
}

TEST_F(PanelHitTestTest, RepaintAreaCoversTheChangedWidgetsOnly) {
  PanelHitTest(panel, 0x0200, X(0), kY);
  ASSERT_TRUE(panel.repaint_pending);
  EXPECT_EQ(panel.repaint.left, 6);
  EXPECT_EQ(panel.repaint.top, 6);
  EXPECT_EQ(panel.repaint.right, 114);
  EXPECT_EQ(panel.repaint.bottom, 54);

  panel.repaint_pending = false;
  PanelHitTest(panel, 0x0200, X(0) + 1, kY);  // still on widget 0: no change
  EXPECT_FALSE(panel.repaint_pending);

  PanelHitTest(panel, 0x0200, X(2), kY);  // leaves 0, enters 2; 1 unchanged
  ASSERT_TRUE(panel.repaint_pending);
  EXPECT_EQ(panel.repaint.left, 6);
  EXPECT_EQ(panel.repaint.right, 334);
}

TEST_F(PanelHitTestTest, CallbackRunsWithThePanelUpToDate) {
  static SkinPanel* seen_panel;
  static bool saw_consistent_panel;
  seen_panel = &panel;
  saw_consistent_panel = false;
  widgets[0].callback = [](PanelWidget& w) {
    saw_consistent_panel = seen_panel->hot == &w && seen_panel->pointer_over_widget && seen_panel->repaint_pending;
    // A modal loop inside the callback feeds the panel again.
    PanelHitTest(*seen_panel, 0x0200, 5, 5);
  };
  PanelHitTest(panel, 0x0200, X(0), kY);
  panel.repaint_pending = false;
  Click(X(0), X(0));
  EXPECT_TRUE(saw_consistent_panel);
  EXPECT_EQ(widgets[0].state, WidgetState::kNormal);  // the nested move stands
}

TEST(AddWidget, FillsOnlyMissingFontSizes) {
  SkinPanel panel;
  panel.panel_style.font_size = 17.5f;
  PanelWidget widget;
  widget.style_pressed.font_size = 12.0f;
  ASSERT_TRUE(AddWidget(panel, widget));
  EXPECT_FLOAT_EQ(widget.style_normal.font_size, 17.5f);
  EXPECT_FLOAT_EQ(widget.style_hover.font_size, 17.5f);
  EXPECT_FLOAT_EQ(widget.style_disabled.font_size, 17.5f);
  EXPECT_FLOAT_EQ(widget.style_pressed.font_size, 12.0f);
}

TEST(AddWidget, ListsStopAtTheirCapacity) {
  SkinPanel panel;
  PanelWidget widget;
  PanelLabel label;
  for (size_t i = 0; i < kMaxWidgets; ++i) ASSERT_TRUE(AddWidget(panel, widget));
  for (size_t i = 0; i < kMaxLabels; ++i) ASSERT_TRUE(AddLabel(panel, label));
  EXPECT_FALSE(AddWidget(panel, widget));
  EXPECT_FALSE(AddLabel(panel, label));
  EXPECT_EQ(panel.widgets.size(), kMaxWidgets);
  EXPECT_EQ(panel.labels.size(), kMaxLabels);
}

TEST(ActiveStyle, DisabledWinsOverEveryState) {
  PanelWidget widget;
  const struct {
    WidgetState state;
    bool disabled;
    const WidgetStyle* expected;
  } cases[] = {
      {WidgetState::kNormal, false, &widget.style_normal},   {WidgetState::kHover, false, &widget.style_hover},
      {WidgetState::kPressed, false, &widget.style_pressed}, {WidgetState::kInactive, false, &widget.style_normal},
      {WidgetState::kHover, true, &widget.style_disabled},   {WidgetState::kPressed, true, &widget.style_disabled},
  };
  for (const auto& c : cases) {
    widget.state = c.state;
    widget.disabled = c.disabled;
    EXPECT_EQ(&ActiveStyle(widget), c.expected) << static_cast<int>(c.state) << c.disabled;
  }
}

TEST(Measure, CheckBoxAsksForAnotherPaintOnlyWhenItsWidthChanges) {
  PanelWidget box;
  box.kind = WidgetKind::kCheckBox;
  box.rect = {0, 0, 30, 20};
  EXPECT_TRUE(ApplyCheckBoxMeasure(box, 80.4f, 18.0f));  // grew: 24 + 80.4
  EXPECT_FLOAT_EQ(box.rect.width, 104.4f);
  EXPECT_FLOAT_EQ(box.measured_width, 80.4f);
  EXPECT_FLOAT_EQ(box.measured_height, 18.0f);
  EXPECT_FALSE(ApplyCheckBoxMeasure(box, 80.4f, 18.0f));  // same text
  EXPECT_FALSE(ApplyCheckBoxMeasure(box, 80.9f, 18.0f));  // same whole pixels
  EXPECT_TRUE(ApplyCheckBoxMeasure(box, 60.0f, 18.0f));   // shrank
}

TEST(Measure, PushButtonIsSizedToItsTextOnce) {
  PanelWidget button;
  button.rect = {0, 0, 10, 20};
  button.style_normal.font_size = 10.0f;
  EXPECT_FALSE(ApplyPushButtonMeasure(button, 50.0f));
  EXPECT_FLOAT_EQ(button.rect.width, 10.0f);
  button.remeasure = true;
  EXPECT_TRUE(ApplyPushButtonMeasure(button, 50.0f));
  EXPECT_FLOAT_EQ(button.rect.width, 72.0f);
  EXPECT_FALSE(button.remeasure);
  EXPECT_FALSE(ApplyPushButtonMeasure(button, 90.0f));
}

TEST(Layout, BarsAreLaidOutOnlyWhenAsked) {
  SkinPanel panel;
  panel.client = {0, 0, 800, 600};
  panel.caption_style.font_size = 20.0f;
  panel.title_bar = {kAutoLayoutBars, 0, 0, 0};
  LayoutBars(panel);
  EXPECT_EQ(
      (std::vector<int>{panel.title_bar.left, panel.title_bar.top, panel.title_bar.right, panel.title_bar.bottom}),
      (std::vector<int>{0, 1, 799, 37}));
  EXPECT_EQ(
      (std::vector<int>{panel.bottom_bar.left, panel.bottom_bar.top, panel.bottom_bar.right, panel.bottom_bar.bottom}),
      (std::vector<int>{1, 552, 799, 599}));

  panel.title_bar = {0, 1, 500, 30};
  LayoutBars(panel);
  EXPECT_EQ(panel.title_bar.right, 500);
}

TEST(Layout, CaptionIconIsInsetAndPushesTheText) {
  SkinPanel panel;
  panel.client = {0, 0, 800, 600};
  panel.scale = 0.5f;
  panel.caption_style.font_size = 20.0f;  // caption box 36 high, inset 7
  panel.text_offset = 0.1f;
  const CaptionLayout with_icon = LayoutCaption(panel, true);
  EXPECT_FLOAT_EQ(with_icon.icon.x, 7.0f);
  EXPECT_FLOAT_EQ(with_icon.icon.y, 8.0f);
  EXPECT_FLOAT_EQ(with_icon.icon.width, 22.0f);
  EXPECT_FLOAT_EQ(with_icon.text.x, 41.0f);
  EXPECT_FLOAT_EQ(with_icon.text.y, 3.0f);
  EXPECT_FLOAT_EQ(LayoutCaption(panel, false).text.x, 5.0f);
}

TEST(Layout, CornerRadiusIsEvenAndAtLeastFour) {
  const std::pair<float, int> cases[] = {{8.0f, 4}, {20.0f, 4}, {24.0f, 6}, {28.0f, 6}, {44.0f, 10}};
  for (const auto& [font_size, radius] : cases) EXPECT_EQ(CornerRadius(font_size), radius) << font_size;
}

TEST(Layout, BodyOverATextureIsDarkAndTranslucent) {
  WidgetStyle style;
  style.fill = 0xFF8040C0;
  style.fill2 = 0xFF204060;
  const Gradient plain = BodyGradient(style, false);
  EXPECT_EQ(plain.start, 0xFF8040C0u);
  EXPECT_EQ(plain.end, 0xFF204060u);
  const Gradient textured = BodyGradient(style, true);
  EXPECT_EQ(textured.start, 0x0A402060u);
  EXPECT_EQ(textured.end, 0x50102030u);
}

TEST(Layout, LanguagesWithTheirOwnScriptsGetTheirFamily) {
  const struct {
    int32_t language;
    FontUse use;
    std::u16string_view family;
  } cases[] = {
      {1033, FontUse::kWidget, u"Base"},         {1042, FontUse::kCaption, u"Malgun Gothic"},
      {1042, FontUse::kLabel, u"Malgun Gothic"}, {1041, FontUse::kWidget, u"Meiryo"},
      {1041, FontUse::kCaption, u"Base"},        {1041, FontUse::kLabel, u"Base"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FamilyFor(u"Base", c.language, c.use), c.family) << c.language << static_cast<int>(c.use);
}

}  // namespace
}  // namespace tessaro
