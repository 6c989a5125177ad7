// Renders panels with known styles into a memory bitmap and reads pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "catalog/utf.h"
#include "ui/gdi_raii_win.h"
#include "ui/panel.h"
#include "ui/panel_render_win.h"

namespace tessaro {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr uint32_t kTop = 0xFFFF0000;
constexpr uint32_t kBottom = 0xFF0000FF;
constexpr uint32_t kBody = 0xFF00FF00;
constexpr uint32_t kStatus = 0xFF404040;

uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// Each channel within tolerance.
bool Near(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) return false;
  return true;
}

uint32_t Mix(uint32_t from, uint32_t to, float t) {
  uint32_t out = 0;
  for (int shift : {0, 8, 16})
    out |= static_cast<uint32_t>(Channel(from, shift) + (Channel(to, shift) - Channel(from, shift)) * t) << shift;
  return out;
}

// One GDI+ session for the whole program, as in Tessaro.exe.
class GdiplusEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override { session_ = std::make_unique<GdiplusSession>(); }
  void TearDown() override { session_.reset(); }

 private:
  std::unique_ptr<GdiplusSession> session_;
};
const auto* const gdiplus_environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

class PanelRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(target_);
    panel_.client = {0, 0, kWidth, kHeight};
    panel_.scale = 0.5f;
    panel_.title_bar.left = kAutoLayoutBars;
    CopyToField(u"Panel", panel_.caption, kCaptionLength);
    panel_.caption_style.font_size = 20.0f;  // title bar 1..37, caption box 36 high
    CopyToField(u"Tahoma", panel_.caption_style.font_name, kFontNameLength);
    panel_.caption_style.fill = kTop;
    panel_.caption_style.fill2 = kBottom;
    panel_.caption_style.angle = 90.0f;
    panel_.caption_style.text = 0xFFFFFFFF;
    panel_.panel_style.fill = panel_.panel_style.fill2 = kBody;
    panel_.panel_style.font_size = 20.0f;
    panel_.status_style.fill = kStatus;
  }

  // A visible widget with a distinct fill for each state.
  PanelWidget& Widget(WidgetKind kind, RectF rect) {
    PanelWidget& w = widgets_[widget_count_++];
    w.kind = kind;
    w.rect = rect;
    w.visible = true;
    w.style_normal.fill = 0xFF102030;
    w.style_hover.fill = 0xFF405060;
    w.style_pressed.fill = 0xFF708090;
    for (WidgetStyle* s : {&w.style_normal, &w.style_hover, &w.style_pressed, &w.style_disabled}) {
      s->outline = 0xFFC0C0C0;
      s->glyph = 0xFFFFFFFF;
      s->text = 0xFFFFFFFF;
      CopyToField(u"Tahoma", s->font_name, kFontNameLength);
    }
    AddWidget(panel_, w);
    return w;
  }

  bool Render() { return RenderPanel(panel_, dc_.get()); }
  uint32_t Pixel(int x, int y) const { return Rgb(target_.pixel(x, y)); }

  SkinPanel panel_;
  PanelWidget widgets_[4];
  int widget_count_ = 0;
  DibSection target_{kWidth + 1, kHeight + 1};
  MemoryDc dc_;
  SelectedObject selected_{dc_.get(), target_.get()};
};

TEST_F(PanelRenderTest, BackgroundHasTitleGradientBodyAndStatusBar) {
  EXPECT_FALSE(Render());
  // Away from the caption text and the soft edge.
  const struct {
    int y;
    float t;  // position in the title bar gradient
  } title_rows[] = {{6, 5.5f / 36}, {20, 19.5f / 36}, {33, 32.5f / 36}};
  for (const auto& row : title_rows)
    EXPECT_TRUE(Near(Pixel(300, row.y), Mix(Rgb(kTop), Rgb(kBottom), row.t), 24))
        << row.y << ": " << std::hex << Pixel(300, row.y);
  EXPECT_EQ(Pixel(200, 150), Rgb(kBody));
  EXPECT_EQ(Pixel(200, 270), Rgb(kStatus));
  // The soft edge darkens the rim.
  const uint32_t rim = Pixel(200, kHeight - 3);
  EXPECT_LT(Channel(rim, 8), Channel(Rgb(kStatus), 8));
}

TEST_F(PanelRenderTest, WidgetFillFollowsItsState) {
  Widget(WidgetKind::kPushButton, {40, 80, 100, 40});
  const int x = 90, y = 100;
  const struct {
    uint32_t message;
    uint32_t fill;
  } steps[] = {
      {0, 0x102030},                 // before any pointer
      {0x0200, 0x405060},            // pointer over it
      {kMessageLeftDown, 0x708090},  // pressed
      {kMessageLeftUp, 0x405060},    // released over it
  };
  for (const auto& step : steps) {
    if (step.message) PanelHitTest(panel_, step.message, x, y);
    Render();
    EXPECT_EQ(Pixel(x, y), step.fill) << std::hex << step.message;
    EXPECT_EQ(Pixel(150, 100), Rgb(kBody));  // beside it, from the cached background
  }
}

TEST_F(PanelRenderTest, CloseButtonIsACrossOnItsFill) {
  PanelWidget& close = Widget(WidgetKind::kClose, {300, 60, 40, 40});
  close.no_outline = true;
  Render();
  // Inset 10: the strokes run from (310, 70) to (329, 89) and back.
  EXPECT_EQ(Pixel(320, 80), 0xFFFFFFu);
  EXPECT_EQ(Pixel(313, 73), 0xFFFFFFu);
  EXPECT_EQ(Pixel(326, 73), 0xFFFFFFu);
  EXPECT_EQ(Pixel(312, 80), 0x102030u);
  EXPECT_EQ(Pixel(320, 66), 0x102030u);
}

TEST_F(PanelRenderTest, CheckBoxAsksForOneMorePaintWhenItsTextGrows) {
  PanelWidget& box = Widget(WidgetKind::kCheckBox, {40, 150, 30, 30});
  CopyToField(u"Left-handed mode", box.text, kWidgetTextLength);
  EXPECT_TRUE(Render());
  EXPECT_GT(box.measured_width, 40.0f);  // the fallback font measures text
  EXPECT_FLOAT_EQ(box.rect.width, 36.0f + box.measured_width);
  EXPECT_FALSE(Render());
  CopyToField(u"Left-handed mode, longer", box.text, kWidgetTextLength);
  EXPECT_TRUE(Render());
}

TEST_F(PanelRenderTest, LabelTextIsDrawnInItsRectangle) {
  PanelLabel label;
  label.visible = true;
  CopyToField(u"Global setting", label.text, kLabelTextLength);
  label.rect = {40, 200, 300, 30};
  label.style.text = 0xFFFFFFFF;
  label.style.font_size = 20.0f;
  CopyToField(u"Tahoma", label.style.font_name, kFontNameLength);
  AddLabel(panel_, label);
  Render();
  int lit = 0;
  for (int y = 200; y < 230; ++y)
    for (int x = 40; x < 340; ++x) lit += Pixel(x, y) != Rgb(kBody);
  EXPECT_GT(lit, 50);
}

// A 32-bit DIB section whose rows are stored bottom-up, as GDI makes them
// by default.
class BottomUpDib {
 public:
  BottomUpDib(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
  }
  HBITMAP get() const { return bitmap_.get(); }
  uint32_t Pixel(int x, int y) const { return Rgb(bits_[static_cast<size_t>(height_ - 1 - y) * width_ + x]); }

 private:
  int width_;
  int height_;
  GdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
};

// Memory compositions are drawn into directly, other DCs through GDI;
// either way the picture is the same.
TEST_F(PanelRenderTest, EveryKindOfTargetGetsTheSamePicture) {
  Widget(WidgetKind::kPushButton, {40, 80, 100, 40});
  const int probes[][2] = {{90, 100}, {300, 20}, {200, 150}, {200, 270}, {41, 81}};
  Render();
  std::vector<uint32_t> expected;
  for (const auto& p : probes) expected.push_back(Pixel(p[0], p[1]));

  BottomUpDib bottom_up(kWidth + 1, kHeight + 1);
  {
    const MemoryDc dc;
    const SelectedObject selected(dc.get(), bottom_up.get());
    RenderPanel(panel_, dc.get());
  }
  GdiFlush();
  // A clip region makes the renderer draw through the DC.
  const GdiObject<HRGN> everything(CreateRectRgn(0, 0, kWidth + 1, kHeight + 1));
  SelectClipRgn(dc_.get(), everything.get());
  const RECT all{0, 0, kWidth + 1, kHeight + 1};
  FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Render();
  GdiFlush();
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(Near(bottom_up.Pixel(probes[i][0], probes[i][1]), expected[i], 2)) << i;
    EXPECT_TRUE(Near(Pixel(probes[i][0], probes[i][1]), expected[i], 2)) << i;
  }
}

TEST(MakeFont, UnknownFamiliesFallBackToSansSerif) {
  for (const char16_t* family : {u"Tahoma", u"No Such Family", u""}) {
    const auto font = MakeFont(family, 18.0f, Gdiplus::FontStyleRegular);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetLastStatus(), Gdiplus::Ok);
    EXPECT_FLOAT_EQ(font->GetSize(), 18.0f);
  }
}

}  // namespace
}  // namespace tessaro
