// The main window drawn through its renderer into a memory bitmap: the
// embedded skin, models and language in a panel laid out like the main
// dialog's at 1152 x 768, and pixels read back. With TESSARO_SCREENSHOT_DIR
// set to a Windows folder the real-skin drawings are saved there as
// main_tilt.png, main_hid.png and main_nodevice.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/package.h"
#include "catalog/utf.h"
#include "shell/main_panel.h"
#include "ui/gdi_raii_win.h"
#include "ui/main_window_bottom_bar.h"
#include "ui/main_window_renderer_win.h"
#include "ui/panel_image_win.h"
#include "ui/panel_layout.h"
#include "ui/skin.h"
#include "wine/support/png_file.h"

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

// The embedded packages (the program's folder holds none) and English.
const ModelItem& Catalogue() {
  static const ModelItem catalogue = [] {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    SetAppFolderFromModuleName(reinterpret_cast<const char16_t*>(module));
    LoadLanguage(1033);
    ModelItem item;
    item.Load(*OpenPackage(u"model.pkg", kModelResourceId));
    return item;
  }();
  return catalogue;
}

const MODEL_DEF& ModelNamed(std::u16string_view name) {
  for (const MODEL_DEF& model : Catalogue().models)
    if (model.model_name == name) return model;
  ADD_FAILURE() << "no model " << Utf16ToUtf8(name);
  return Catalogue().models.front();
}

// A tilt model whose tilt pair has skin pictures (tilt_image_pos 2), and a
// model with two HID entries; both 720 x 960 pictures.
const MODEL_DEF& TiltModel() { return ModelNamed(u"Tolva T7 (RF)"); }
const MODEL_DEF& HidModel() { return ModelNamed(u"Mirel W6 (RF)"); }

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

bool Near(uint32_t actual, uint32_t expected, int tolerance = 3) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) return false;
  return true;
}

// The main dialog's window: its panel with the embedded skin and all its
// widgets, the renderer and a view of them, drawn into a bitmap.
class MainWindowScene {
 public:
  static constexpr int kWidth = 1152;
  static constexpr int kHeight = 768;

  MainWindowScene() {
    Catalogue();
    SkinPanel& panel = main.panel;
    panel.client = {0, 0, kWidth, kHeight};
    panel.scale = kWidth / 2400.0f;
    InitPanel(panel);
    CopyToField(u"Vornel", panel.caption, kCaptionLength);
    panel.title_bar.left = kAutoLayoutBars;
    LayoutBars(panel);
    LoadSkin(panel);
    MainPanelState state;
    state.has_update_url = !UpdateUrl().empty();
    AddMainWidgets(main, {}, state);

    view.panel = &panel;
    view.ui_ready = true;
    view.catalogue_version = Catalogue().ver;
    view.model_list = &main.model_list;
    if (main.has_check_for_updates) view.check_for_updates = &main.check_for_updates;
  }

  // Paints until no widget changes size any more, as the dialog would
  // after invalidating; true when the first paint asked for another.
  bool Paint() {
    const bool first = PaintOnce();
    bool again = first;
    for (int pass = 0; again && pass < 4; ++pass) {
      PlaceModifierWidget(main);
      again = PaintOnce();
    }
    EXPECT_FALSE(again) << "widths never settled";
    return first;
  }
  bool PaintOnce() {
    const bool again = renderer.Paint(dc_.get(), RECT{0, 0, kWidth, kHeight}, view);
    GdiFlush();
    return again;
  }

  // The column of markers the function menu shows for the model, each
  // with the button's own action, and the lit marker's hover.
  void ShowModel(const MODEL_DEF& model, int lit) {
    view.model = &model;
    view.highlighted = lit;
    std::vector<std::pair<int, std::u16string>> rows;
    const char16_t* own[] = {u"left click", u"right click", u"middle click", u"backward", u"forward"};
    for (int i = 0; i < kModelButtonEntries; ++i) {
      if (!(model.button & (1u << i))) continue;
      const std::u16string action = LanguageText(i < 5 ? std::u16string_view(own[i]) : model.function[i]);
      rows.emplace_back(i, action.empty() ? u"Default" : action + u" (Default)");
    }
    for (int j = 0; j < 2; ++j) {
      if (model.tilt > 0) {
        rows.emplace_back(12 + j, LanguageText(model.tilt_function[j]) + u" (Default)");
      } else if (model.hid_down[j] && model.hid_up[j]) {
        rows.emplace_back(12 + j, std::u16string(model.hid_function_name[j]));
      }
    }
    const float s = main.panel.scale;
    const auto n = static_cast<float>(static_cast<int>(100 * s));
    const size_t count = rows.size();
    const float spacing = count >= 8 ? 1.2f : count >= 6 ? 1.33f : count >= 4 ? 1.75f : 2.0f;
    for (size_t m = 0; m < count; ++m) {
      const float y = 260 * s + m * n * spacing;
      PanelWidget& marker = main.markers[rows[m].first];
      marker.rect.y = y;
      CopyToField(rows[m].second, marker.text, kWidgetTextLength);
      marker.visible = true;
      main.marker_numbers[m].rect.y = y;
      main.marker_numbers[m].visible = true;
    }
    main.button_setting_heading.visible = true;
    main.reset.rect.y = 260 * s + count * n * spacing;
    main.reset.visible = true;
    if (lit >= 0) {
      // The pointer rests on the lit marker's row.
      const int marker = lit >= 12 ? lit : rows[lit].first;
      const RectF& r = main.markers[marker].rect;
      PanelHitTest(main.panel, 0x0200, static_cast<int>(r.x + r.width / 2), static_cast<int>(r.y + r.height / 2));
    }
  }

  uint32_t Pixel(float x, float y) const { return target_.pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFF; }

  template <class Test>
  bool AnyPixel(const RectF& r, Test test) const {
    for (int y = static_cast<int>(r.y); y < static_cast<int>(r.y + r.height); ++y)
      for (int x = static_cast<int>(r.x); x < static_cast<int>(r.x + r.width); ++x)
        if (test(target_.pixel(x, y) & 0xFFFFFF)) return true;
    return false;
  }

  // Where marker spot (x, y) of a picture drawn unshrunk lands.
  float CentreX(MarkerPosition spot) const {
    return static_cast<int>(20 * main.panel.scale) + spot.x * main.panel.scale;
  }
  float CentreY(MarkerPosition spot) const {
    return static_cast<int>(320 * main.panel.scale) + spot.y * main.panel.scale;
  }

  const DibSection& target() const { return target_; }

  MainPanelWidgets main;
  MainWindowRenderer renderer;
  MainWindowView view;

 private:
  DibSection target_{kWidth, kHeight};
  MemoryDc dc_;
  SelectedObject selected_{dc_.get(), target_.get()};
};

// A plain square picture of one colour.
PanelImagePtr Solid(uint32_t color) {
  auto bitmap = MakeGdiplus<Gdiplus::Bitmap>(52, 52, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(bitmap.get());
    g.Clear(Gdiplus::Color(color));
  }
  return std::make_unique<GdiplusPanelImage>(std::move(bitmap));
}

// Colours of the stand-in skin pictures, far apart from each other and
// from the model pictures' greys.
uint32_t NumberColor(int d) { return 0xC80000u | static_cast<uint32_t>(d * 20) << 8; }
uint32_t NumberLitColor(int d) { return 0x0000C8u | static_cast<uint32_t>(d * 20) << 8; }
constexpr uint32_t kTiltLeftColor = 0x00C800;
constexpr uint32_t kTiltRightColor = 0xC8C800;
constexpr uint32_t kTiltLeftLitColor = 0x00C8C8;

// Replaces the skin's marker pictures by plain colours; the tilt pair 2
// has a lit picture on its left side only.
void UseColoredMarkers(SkinPanel& panel) {
  SkinPictures& p = panel.pictures;
  for (int d = 1; d <= 10; ++d) {
    p.num[d - 1] = Solid(0xFF000000 | NumberColor(d));
    p.num_highlight[d - 1] = Solid(0xFF000000 | NumberLitColor(d));
  }
  for (auto* list : {&p.tilt_left, &p.tilt_right, &p.tilt_left_highlight, &p.tilt_right_highlight})
    for (auto& picture : *list) picture.reset();
  p.tilt_left[1] = Solid(0xFF000000 | kTiltLeftColor);
  p.tilt_right[1] = Solid(0xFF000000 | kTiltRightColor);
  p.tilt_left_highlight[1] = Solid(0xFF000000 | kTiltLeftLitColor);
}

TEST(MainWindowRenderer, TiltModelMarkersWearTheirPicturesAtTheirSpots) {
  const MODEL_DEF& model = TiltModel();
  // Buttons 1 to 6 are numbered 1 to 6; the tilt pair shows the skin's
  // tilt pictures. Lighting one marker changes only that one.
  const struct {
    int lit;
    MarkerPosition spot;
    uint32_t color;
  } cases[] = {
      {-1, model.button_pos[1], NumberColor(1)},   {-1, model.button_pos[6], NumberColor(6)},
      {-1, model.tilt_pos[0], kTiltLeftColor},     {-1, model.tilt_pos[1], kTiltRightColor},
      {1, model.button_pos[2], NumberLitColor(2)}, {1, model.button_pos[1], NumberColor(1)},
      {12, model.tilt_pos[0], kTiltLeftLitColor},  {12, model.tilt_pos[1], kTiltRightColor},
  };
  MainWindowScene scene;
  UseColoredMarkers(scene.main.panel);
  for (const auto& c : cases) {
    scene.ShowModel(model, c.lit);
    scene.Paint();
    const uint32_t pixel = scene.Pixel(scene.CentreX(c.spot), scene.CentreY(c.spot));
    EXPECT_TRUE(Near(pixel, c.color)) << c.lit << " at " << c.spot.x << "," << c.spot.y << ": " << std::hex << pixel;
  }
}

TEST(MainWindowRenderer, HidMarkersFollowTheButtonsAndALitOneWithoutPictureWearsARing) {
  const MODEL_DEF& model = HidModel();
  MainWindowScene scene;
  SkinPanel& panel = scene.main.panel;
  UseColoredMarkers(panel);
  panel.pictures.num_highlight[6].reset();  // no lit picture for marker 7
  scene.ShowModel(model, 13);
  scene.Paint();

  // Five buttons, then the two HID entries as markers 6 and 7.
  const MarkerPosition first = model.hid_pos[0], second = model.hid_pos[1];
  EXPECT_TRUE(Near(scene.Pixel(scene.CentreX(first), scene.CentreY(first)), NumberColor(6)));
  const float x = scene.CentreX(second), y = scene.CentreY(second);
  EXPECT_TRUE(Near(scene.Pixel(x, y), NumberColor(7)));
  // The ring, 4 wider than the marker's 24 pixels, in the button text
  // colour; its shadow just inside and outside it.
  const uint32_t ring = panel.button_style.text & 0xFFFFFF;
  EXPECT_TRUE(Near(scene.Pixel(x, y - 14), ring, 24)) << std::hex << scene.Pixel(x, y - 14);
  EXPECT_TRUE(Near(scene.Pixel(x + 14, y), ring, 24)) << std::hex << scene.Pixel(x + 14, y);
  const uint32_t shadow = scene.Pixel(x, y - 16);
  EXPECT_LT(Channel(shadow, 8), 0x40) << std::hex << shadow;

  // The renderer names the ring's area for invalidating it.
  const PanelRect area = scene.renderer.LitMarkerBounds(13, panel.scale);
  EXPECT_LE(area.left, x - 18);
  EXPECT_GE(area.right, x + 18);
  EXPECT_LE(area.top, y - 18);
  EXPECT_GE(area.bottom, y + 18);
  const PanelRect none = scene.renderer.LitMarkerBounds(12 + 5, panel.scale);
  EXPECT_EQ(none.right - none.left, 0);
}

TEST(MainWindowRenderer, BottomBarShowsTheVersionAndTheDeviceOrThatNoneWasFound) {
  MainWindowScene scene;
  const SkinPanel& panel = scene.main.panel;
  const BottomBarLayout bar = LayoutBottomBar(panel.bottom_bar, panel.scale);
  const uint32_t fill = panel.status_style.fill & 0xFFFFFF;
  const auto text = [fill](uint32_t c) { return !Near(c, fill, 40); };
  // The device text, centred in its box of 1000 design pixels.
  const RectF device_middle{bar.device_box.x + bar.device_box.width * 0.4f, bar.device_box.y,
                            bar.device_box.width * 0.2f, bar.device_box.height};
  const RectF device_left{bar.device_box.x, bar.device_box.y, bar.device_box.width * 0.1f, bar.device_box.height};
  const RectF version_end{bar.version_box.x + bar.version_box.width - 60, bar.version_box.y, 60,
                          bar.version_box.height};

  scene.Paint();
  EXPECT_TRUE(scene.AnyPixel(device_middle, text));
  EXPECT_FALSE(scene.AnyPixel(device_left, text));  // centred: "Device not found !" is short
  EXPECT_TRUE(scene.AnyPixel(version_end, text));

  // A model's connection kind is a shorter text in the same place.
  scene.ShowModel(TiltModel(), -1);
  scene.Paint();
  EXPECT_TRUE(scene.AnyPixel(device_middle, text));
  EXPECT_FALSE(scene.AnyPixel(device_left, text));

  // With more than one device the text moves clear of the model list
  // button when that is in its way.
  scene.main.model_list.visible = true;
  scene.main.model_list.rect.width = bar.device_box.width * 0.6f;
  scene.view.multiple_devices = true;
  scene.view.model = nullptr;
  scene.Paint();
  const RectF& button = scene.main.model_list.rect;
  const RectF after_button{button.x + button.width + 4, bar.device_box.y, bar.font_size * 0.7f, bar.device_box.height};
  const RectF text_start{button.x + button.width + bar.font_size, bar.device_box.y, bar.font_size,
                         bar.device_box.height};
  EXPECT_FALSE(scene.AnyPixel(after_button, text));
  EXPECT_TRUE(scene.AnyPixel(text_start, text));
}

TEST(MainWindowRenderer, UpdateLinkIsPlacedOnceUntilHidden) {
  MainWindowScene scene;
  ASSERT_NE(scene.view.check_for_updates, nullptr);
  PanelWidget& link = *scene.view.check_for_updates;
  const SkinPanel& panel = scene.main.panel;
  const BottomBarLayout bar = LayoutBottomBar(panel.bottom_bar, panel.scale);

  ASSERT_FALSE(link.visible);
  EXPECT_TRUE(scene.PaintOnce());
  EXPECT_TRUE(link.visible);
  const RectF placed = link.rect;
  EXPECT_GT(placed.x, bar.version_box.x + bar.version_box.width / 2);
  EXPECT_LT(placed.x + placed.width, bar.version_box.x + bar.version_box.width - 100);
  EXPECT_NEAR(placed.y + placed.height / 2, bar.version_box.y + bar.version_box.height / 2, 0.5f);

  // A longer version text does not move a placed link...
  const std::u16string longer = u"2024.11.30-final";
  scene.view.catalogue_version = longer;
  scene.Paint();
  EXPECT_EQ(link.rect.x, placed.x);
  // ...until it is hidden: then it is placed again, further left.
  link.visible = false;
  EXPECT_TRUE(scene.PaintOnce());
  EXPECT_TRUE(link.visible);
  EXPECT_LT(link.rect.x, placed.x - 20);
  EXPECT_EQ(link.rect.width, placed.width);
}

TEST(MainWindowRenderer, ModelLayerIsDrawnAgainOnlyWhenWhatItShowsChanged) {
  const MODEL_DEF& model = TiltModel();
  MainWindowScene scene;
  SkinPanel& panel = scene.main.panel;
  UseColoredMarkers(panel);
  scene.ShowModel(model, -1);
  const float x = scene.CentreX(model.button_pos[1]), y = scene.CentreY(model.button_pos[1]);
  scene.Paint();
  ASSERT_TRUE(Near(scene.Pixel(x, y), NumberColor(1)));

  // A new skin picture alone is not seen: the layer is kept...
  panel.pictures.num[0] = Solid(0xFF000000 | NumberLitColor(9));
  scene.Paint();
  EXPECT_TRUE(Near(scene.Pixel(x, y), NumberColor(1)));
  // ...until it is invalidated.
  scene.renderer.InvalidateModelLayer();
  scene.Paint();
  EXPECT_TRUE(Near(scene.Pixel(x, y), NumberLitColor(9)));

  // New prepared marker pictures are seen at once.
  const PanelImagePtr prepared = Solid(0xFF000000 | NumberLitColor(3));
  const PanelImage* pictures[kPreparedMarkerPictures] = {prepared.get()};
  scene.view.marker_pictures = pictures;
  scene.Paint();
  EXPECT_TRUE(Near(scene.Pixel(x, y), NumberLitColor(3)));

  // So is another model; and no model leaves the picture area empty.
  scene.view.marker_pictures = {};
  scene.ShowModel(HidModel(), -1);
  scene.Paint();
  EXPECT_TRUE(
      Near(scene.Pixel(scene.CentreX(HidModel().hid_pos[0]), scene.CentreY(HidModel().hid_pos[0])), NumberColor(6)));
  scene.view.model = nullptr;
  scene.Paint();
  const RectF picture_area{static_cast<float>(static_cast<int>(20 * panel.scale)),
                           static_cast<float>(static_cast<int>(320 * panel.scale)), 720 * panel.scale,
                           960 * panel.scale};
  EXPECT_FALSE(
      scene.AnyPixel(picture_area, [](uint32_t c) { return Channel(c, 16) >= 0xC0 || Channel(c, 0) >= 0xC0; }));
}

TEST(MainWindowRenderer, HiddenWindowKeepsNoBitmapsAndDrawsTheSamePixelsWhenShownAgain) {
  MainWindowScene scene;
  scene.ShowModel(TiltModel(), 1);
  scene.Paint();
  const size_t client_bytes = size_t{MainWindowScene::kWidth + 1} * (MainWindowScene::kHeight + 1) * 4;
  // The composition, and a model layer over the picture's part only.
  EXPECT_GT(scene.renderer.BitmapBytes(), client_bytes);
  EXPECT_LT(scene.renderer.BitmapBytes(), client_bytes * 3 / 2);
  ASSERT_NE(scene.main.panel.background, nullptr);
  uint32_t* pixels = scene.target().pixels();
  const size_t count = size_t{MainWindowScene::kWidth} * MainWindowScene::kHeight;
  const std::vector<uint32_t> shown(pixels, pixels + count);

  scene.renderer.Release(scene.main.panel);
  EXPECT_EQ(scene.renderer.BitmapBytes(), 0u);
  EXPECT_EQ(scene.main.panel.background, nullptr);

  std::fill_n(pixels, count, 0u);
  scene.PaintOnce();
  size_t differing = 0;
  for (size_t i = 0; i < count; ++i) differing += pixels[i] != shown[i];
  EXPECT_EQ(differing, 0u);
}

TEST(MainWindowRenderer, BeforeTheDialogIsReadyTheWindowIsGrey) {
  MainWindowScene scene;
  scene.ShowModel(TiltModel(), 1);
  scene.view.ui_ready = false;
  EXPECT_FALSE(scene.PaintOnce());
  for (const auto& [x, y] : {std::pair{0, 0}, {500, 400}, {1151, 767}, {100, 740}})
    EXPECT_EQ(scene.Pixel(static_cast<float>(x), static_cast<float>(y)), 0x585858u) << x << "," << y;
  EXPECT_FALSE(scene.view.check_for_updates->visible);
}

void SaveIfAsked(const MainWindowScene& scene, const wchar_t* name) {
  const wchar_t* folder = _wgetenv(L"TESSARO_SCREENSHOT_DIR");
  if (!folder) return;
  const std::wstring path = std::wstring(folder) + L"\\" + name;
  EXPECT_TRUE(test::SavePng(scene.target(), path.c_str())) << Utf16ToUtf8(std::u16string(path.begin(), path.end()));
}

// How many pixels of the square of side 2 * half at (x, y) differ between
// two drawings.
int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, float x, float y, float half) {
  int count = 0;
  for (int row = static_cast<int>(y - half); row < static_cast<int>(y + half); ++row)
    for (int column = static_cast<int>(x - half); column < static_cast<int>(x + half); ++column) {
      const size_t at = static_cast<size_t>(row) * MainWindowScene::kWidth + column;
      if (!Near(a[at], b[at], 8)) ++count;
    }
  return count;
}

// Draws the model with the real skin, one marker lit, saves the drawing
// when asked, and checks that each marker of spots and the lit one show:
// unlit, the lit marker looks different; without the skin's marker
// pictures, so do the others.
void DrawModelWithSkinMarkers(const MODEL_DEF& model, int lit, MarkerPosition lit_spot,
                              const std::vector<MarkerPosition>& spots, const wchar_t* name) {
  MainWindowScene scene;
  scene.ShowModel(model, lit);
  scene.Paint();
  SaveIfAsked(scene, name);
  const auto pixels = [&scene] {
    const DibSection& t = scene.target();
    return std::vector<uint32_t>(t.pixels(), t.pixels() + static_cast<size_t>(t.width()) * t.height());
  };
  const std::vector<uint32_t> with_lit = pixels();
  scene.view.highlighted = -1;
  scene.Paint();
  const std::vector<uint32_t> unlit = pixels();
  SkinPictures& skin = scene.main.panel.pictures;
  for (auto* list : {&skin.num, &skin.num_highlight, &skin.tilt_left, &skin.tilt_right})
    for (auto& picture : *list) picture.reset();
  scene.renderer.InvalidateModelLayer();
  scene.Paint();
  const std::vector<uint32_t> bare = pixels();

  // A marker is 24 pixels wide; most of its middle differs.
  const float half = 8;
  const float area = 4 * half * half;
  EXPECT_GT(Differing(with_lit, unlit, scene.CentreX(lit_spot), scene.CentreY(lit_spot), half), area / 2);
  for (const MarkerPosition& spot : spots)
    EXPECT_GT(Differing(unlit, bare, scene.CentreX(spot), scene.CentreY(spot), half), area / 2)
        << spot.x << "," << spot.y;
}

TEST(MainWindowLook, TiltModel) {
  // Six rows: eight would run into the global settings at this height.
  const MODEL_DEF& model = ModelNamed(u"Tolva T5");
  DrawModelWithSkinMarkers(model, 1, model.button_pos[2],
                           {model.button_pos[1], model.button_pos[4], model.tilt_pos[0], model.tilt_pos[1]},
                           L"main_tilt.png");
}

TEST(MainWindowLook, HidModel) {
  const MODEL_DEF& model = HidModel();
  DrawModelWithSkinMarkers(model, 12, model.hid_pos[0], {model.button_pos[1], model.button_pos[5], model.hid_pos[1]},
                           L"main_hid.png");
}

TEST(MainWindowLook, NoDevice) {
  MainWindowScene scene;
  scene.Paint();
  SaveIfAsked(scene, L"main_nodevice.png");
}

}  // namespace
}  // namespace tessaro
