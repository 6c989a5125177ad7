// The embedded skin loaded into a panel, and a panel laid out like the main
// window drawn with it. With TESSARO_SCREENSHOT set to a Windows path the
// drawing is also saved there as a PNG.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/package.h"
#include "catalog/utf.h"
#include "ui/gdi_raii_win.h"
#include "ui/panel.h"
#include "ui/panel_image_win.h"
#include "ui/panel_layout.h"
#include "ui/panel_render_win.h"
#include "ui/skin.h"
#include "ui/ui_font.h"

namespace tessaro {
namespace {

class GdiplusEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override { session_ = std::make_unique<GdiplusSession>(); }
  void TearDown() override { session_.reset(); }

 private:
  std::unique_ptr<GdiplusSession> session_;
};
const auto* const gdiplus_environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

// The program's own folder holds no skin.pkg, so the embedded skin is read.
void UseEmbeddedPackages() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  SetAppFolderFromModuleName(reinterpret_cast<const char16_t*>(module));
}

TEST(LoadSkin, EmbeddedSkinGivesPicturesColoursAndAddress) {
  UseEmbeddedPackages();
  SkinPanel panel;
  panel.pictures.tilt_left[4] = std::make_unique<PanelImage>();  // replaced: d = 5 is asked for
  LoadSkin(panel);

  for (const PanelImagePtr* picture :
       {&panel.caption_icon, &panel.logo, &panel.texture, &panel.check_checked, &panel.check_unchecked,
        &panel.pictures.blank, &panel.pictures.num[0], &panel.pictures.num_highlight[9], &panel.pictures.tilt_left[3],
        &panel.pictures.tilt_right_highlight[3]})
    EXPECT_NE(GdiplusImageOf(picture->get()), nullptr);
  for (const PanelImagePtr* absent : {&panel.pictures.tilt_left[4], &panel.pictures.battery[0], &panel.pictures.dir[0]})
    EXPECT_EQ(*absent, nullptr);
  EXPECT_EQ(GdiplusImageOf(panel.logo.get())->GetWidth(), 483u);
  EXPECT_EQ(panel.logo_x, 40);
  EXPECT_EQ(panel.caption_style.fill, 0xFF262C38u);
  EXPECT_EQ(panel.button_hover_style.outline, 0xFF38CDB3u);
  EXPECT_EQ(panel.pictures.battery_empty_color, 0xFFE0565Bu);
  EXPECT_EQ(UpdateUrl(), u"https://tessaro.app/update");
}

// Skin pictures are kept as files and decoded when first asked for: one
// that does not decode draws as none, each time it is asked for.
TEST(LoadSkin, APictureFileThatDoesNotDecodeDrawsAsNone) {
  const GdiplusPanelImage broken(std::vector<uint8_t>{0x89, 'P', 'N', 'G', 0, 1, 2});
  EXPECT_EQ(broken.get(), nullptr);
  EXPECT_EQ(broken.get(), nullptr);
  EXPECT_EQ(GdiplusImageOf(&broken), nullptr);
}

// The main window's panel with the widgets a connected mouse shows, laid
// out the way the main dialog lays them out for a 1152 x 768 window.
class MainWindowLook {
 public:
  static constexpr int kWidth = 1152;
  static constexpr int kHeight = 768;

  MainWindowLook() {
    panel.client = {0, 0, kWidth, kHeight};
    panel.scale = kWidth / 2400.0f;
    InitPanel(panel);
    LoadSkin(panel);
    CopyToField(u"Vornel", panel.caption, kCaptionLength);
    panel.title_bar.left = kAutoLayoutBars;
    LayoutBars(panel);

    const float s = panel.scale;
    const float f = UiFontSize();
    const float g = static_cast<float>(static_cast<int>(s * 44));
    const float n = static_cast<float>(static_cast<int>(s * 100));
    const float w = static_cast<float>(static_cast<int>(s * 880));
    const float r = kWidth;
    const float b = kHeight;
    const float column = r - 60 * s - w;
    const float bar = panel.bottom_bar.bottom - panel.bottom_bar.top;
    const float c = static_cast<float>(static_cast<int>(bar * 0.66f));

    Add(WidgetKind::kClose, u"", {r - 4 - 1.4f * f, 0.3f * f, 1.2f * f, 1.2f * f}, f).no_outline = true;
    PanelWidget& minimise = Add(WidgetKind::kMinimise, u"", {r - 8 - 3.2f * f, 0.3f * f, 1.2f * f, 1.2f * f}, f);
    minimise.no_outline = true;
    PanelWidget& language = Add(WidgetKind::kPushButton, LanguageText(u"language name"),
                                {minimise.rect.x - 9 * f, 0.18f * f, 7.2f * f, 1.44f * f}, 0.5f * c);
    language.align = TextAlign::kCenter;
    language.style_normal.fill = (panel.panel_style.fill & 0x00FFFFFF) | 0x20000000;

    const char16_t* functions[] = {u"left click", u"right click", u"middle click", u"backward", u"forward"};
    for (int i = 0; i < 5; ++i) {
      const RectF rect{column, 260 * s + i * n * 1.75f, w, n};
      Add(WidgetKind::kPushButton, LanguageText(functions[i]), rect, g).align = TextAlign::kCenter;
      const float q = 0.8f * g;
      Label(std::u16string(1, static_cast<char16_t>(u'1' + i)), {rect.x - 12 * q, rect.y, 11.4f * q, n}, q,
            TextAlign::kFar);
    }

    const float global = static_cast<float>(static_cast<int>(b - 4.5f * n));
    left_hand =
        &Add(WidgetKind::kCheckBox, LanguageText(u"left hand"), {column, global + n, 20 * g + 60 * s, 0.8f * n}, g);
    left_hand->checked = true;
    slowdown_ = &Add(WidgetKind::kCheckBox, LanguageText(u"slowdown enable"),
                     {column, global + 2 * n, 20 * g + 60 * s, 0.8f * n}, g);
    modifier_ = &Add(WidgetKind::kPushButton, u"Ctrl + Alt",
                     {column + 200, global + 2.1f * n, 5 * g + 10 * s, 0.66f * n}, 0.8f * g);
    modifier_->remeasure = true;
    modifier_->align = TextAlign::kCenter;

    Label(LanguageText(u"button setting"), {column, 260 * s - 1.2f * n, w, n}, 1.2f * g, TextAlign::kNear);
    Label(LanguageText(u"global setting"), {column, global, w, n}, 1.2f * g, TextAlign::kNear);
  }

  // Renders until no widget changes size, placing the modifier keys after
  // the slowdown text as the main window does.
  void Render(HDC dc) {
    for (int pass = 0; pass < 4; ++pass) {
      const bool again = RenderPanel(panel, dc);
      modifier_->rect.x = slowdown_->rect.x + slowdown_->measured_width + slowdown_->rect.height * 1.1f;
      if (!again) return;
    }
    ADD_FAILURE() << "widths never settled";
  }

  SkinPanel panel;
  PanelWidget* left_hand = nullptr;

 private:
  PanelWidget& Add(WidgetKind kind, std::u16string_view text, RectF rect, float font_size) {
    PanelWidget& widget = *widgets_.emplace_back(std::make_unique<PanelWidget>());
    widget.kind = kind;
    CopyToField(text, widget.text, kWidgetTextLength);
    widget.rect = rect;
    widget.visible = true;
    widget.style_normal = widget.style_disabled = panel.button_style;
    widget.style_hover = widget.style_pressed = panel.button_hover_style;
    for (WidgetStyle* style :
         {&widget.style_normal, &widget.style_hover, &widget.style_disabled, &widget.style_pressed})
      style->font_size = font_size;
    AddWidget(panel, widget);
    return widget;
  }

  void Label(std::u16string_view text, RectF rect, float font_size, TextAlign align) {
    PanelLabel& label = *labels_.emplace_back(std::make_unique<PanelLabel>());
    CopyToField(text, label.text, kLabelTextLength);
    label.rect = rect;
    label.style = panel.text_style;
    label.style.font_size = font_size;
    label.align_h = align;
    label.align_v = TextAlign::kCenter;
    label.visible = true;
    AddLabel(panel, label);
  }

  std::vector<std::unique_ptr<PanelWidget>> widgets_;
  std::vector<std::unique_ptr<PanelLabel>> labels_;
  PanelWidget* slowdown_ = nullptr;
  PanelWidget* modifier_ = nullptr;
};

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// Whether some pixel of the rectangle passes the test.
template <class Test>
bool AnyPixel(const DibSection& dib, int left, int top, int width, int height, Test test) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      if (test(dib.pixel(x, y))) return true;
  return false;
}

bool Teal(uint32_t c) { return Channel(c, 8) > Channel(c, 16) + 60; }
bool Light(uint32_t c) { return Channel(c, 0) > 180 && Channel(c, 8) > 180 && Channel(c, 16) > 180; }

void SavePng(const DibSection& dib, const wchar_t* path) {
  UINT count = 0, bytes = 0;
  Gdiplus::GetImageEncodersSize(&count, &bytes);
  std::vector<uint8_t> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, bytes, encoders);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) != L"image/png") continue;
    Gdiplus::Bitmap opaque(dib.width(), dib.height(), dib.width() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(dib.pixels()));
    EXPECT_EQ(opaque.Save(path, &encoders[i].Clsid, nullptr), Gdiplus::Ok);
    return;
  }
  ADD_FAILURE() << "no PNG encoder";
}

TEST(MainWindowLook, SkinPicturesAndTextsAreDrawn) {
  UseEmbeddedPackages();
  LoadLanguage(1033);
  MainWindowLook look;
  DibSection target(MainWindowLook::kWidth + 1, MainWindowLook::kHeight + 1);
  MemoryDc dc;
  const SelectedObject selected(dc.get(), target.get());
  look.Render(dc.get());
  // The pointer rests on the second marker.
  const PanelWidget& second = *look.panel.widgets[4];
  PanelHitTest(look.panel, 0x0200, static_cast<int>(second.rect.x + 20), static_cast<int>(second.rect.y + 10));
  look.Render(dc.get());
  GdiFlush();

  const SkinPanel& panel = look.panel;
  const RectF icon = LayoutCaption(panel, true).icon;
  EXPECT_TRUE(AnyPixel(target, static_cast<int>(icon.x), static_cast<int>(icon.y), static_cast<int>(icon.width),
                       static_cast<int>(icon.height), Teal));
  const float s = panel.scale;
  EXPECT_TRUE(AnyPixel(target, static_cast<int>(panel.logo_x * s),
                       static_cast<int>(panel.logo_y * s) + panel.title_bar.bottom, static_cast<int>(483 * s),
                       static_cast<int>(140 * s), Light));
  const PanelWidget& left_hand = *look.left_hand;
  const RectF box = CheckBoxPicture(left_hand.rect);
  EXPECT_TRUE(AnyPixel(target, static_cast<int>(box.x), static_cast<int>(box.y), static_cast<int>(box.width),
                       static_cast<int>(box.height), Teal));
  EXPECT_GT(left_hand.measured_width, 0.0f);
  // The hovered marker wears the hover style's teal outline.
  EXPECT_TRUE(AnyPixel(target, static_cast<int>(second.rect.x), static_cast<int>(second.rect.y),
                       static_cast<int>(second.rect.width), 3, Teal));

  if (const wchar_t* path = _wgetenv(L"TESSARO_SCREENSHOT")) SavePng(target, path);
}

}  // namespace
}  // namespace tessaro
