// The main window's model picture, its markers and its bottom bar, laid
// out without drawing.
#include "ui/main_window_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ui/main_window_bottom_bar.h"

namespace tessaro {
namespace {

using Set = PictureSet;

// Pictures by (set, lit, index); everything not listed is missing.
class Shelf {
 public:
  Shelf() = default;
  Shelf(std::initializer_list<PictureRef> present) {
    for (const PictureRef& ref : present) Add(ref);
  }
  // The skin's numbered pictures 1 to 10, both variants.
  static Shelf Numbers() {
    Shelf shelf;
    for (int d = 1; d <= 10; ++d) {
      shelf.Add({Set::kNumber, false, d});
      shelf.Add({Set::kNumber, true, d});
    }
    return shelf;
  }
  Shelf& Add(PictureRef ref) {
    present_.insert(Key(ref));
    return *this;
  }
  PictureExists Exists() const {
    return [this](const PictureRef& ref) { return present_.count(Key(ref)) > 0; };
  }

 private:
  static std::tuple<int, bool, int> Key(const PictureRef& r) { return {static_cast<int>(r.set), r.lit, r.index}; }
  std::set<std::tuple<int, bool, int>> present_;
};

PictureRef Num(int d) { return {Set::kNumber, false, d}; }
PictureRef NumLit(int d) { return {Set::kNumber, true, d}; }

std::string Describe(const PictureRef& r) {
  return std::to_string(static_cast<int>(r.set)) + (r.lit ? "r" : "") + ":" + std::to_string(r.index);
}

MODEL_DEF ModelWithButtons(uint32_t mask) {
  MODEL_DEF model;
  model.button = mask;
  for (int i = 0; i < kModelButtonEntries; ++i) model.button_pos[i] = {100 + 10 * i, 200 + 20 * i};
  return model;
}

TEST(ModelPictureFit, ScalesFitsOrShrinksKeepingTheShape) {
  const struct {
    const char* name;
    int width, height;
    float scale;
    int bar_top;
    ModelPictureFit expected;
  } cases[] = {
      // 153 + 460 stays above 721 - 4.8.
      {"fits", 720, 960, 0.48f, 721, {9, 153, 345, 460, 0.48f, 24}},
      // 160 + 1000 would pass 700 - 5: 535 high, 535 x 720 / 2000 wide.
      {"shrunk", 720, 2000, 0.5f, 700, {10, 160, 192, 535, 535.0f / 2000, 13}},
      // Ending exactly 10 design pixels above the bar is still room enough.
      {"touching", 400, 1070, 0.5f, 700, {10, 160, 200, 535, 0.5f, 26}},
      {"no picture", 0, 0, 0.5f, 700, {10, 160, 0, 0, 0.5f, 26}},
      // No room at all: nothing to draw, and no negative sizes.
      {"no room", 720, 960, 1.0f, 300, {20, 320, 0, 0, 0.0f, 0}},
  };
  for (const auto& c : cases) {
    const ModelPictureFit fit = FitModelPicture(c.width, c.height, c.scale, c.bar_top);
    EXPECT_EQ(fit.x, c.expected.x) << c.name;
    EXPECT_EQ(fit.y, c.expected.y) << c.name;
    EXPECT_EQ(fit.width, c.expected.width) << c.name;
    EXPECT_EQ(fit.height, c.expected.height) << c.name;
    EXPECT_FLOAT_EQ(fit.factor, c.expected.factor) << c.name;
    EXPECT_EQ(fit.marker_side, c.expected.marker_side) << c.name;
  }
}

TEST(ModelPictureFit, MarkersStayOnTheirSpotOfAShrunkPicture) {
  MODEL_DEF model = ModelWithButtons(0b110);
  model.button_pos[1] = {360, 480};   // the picture's centre
  model.button_pos[2] = {720, 2000};  // its bottom right corner
  const ModelPictureFit fit = FitModelPicture(720, 2000, 0.5f, 700);
  const std::vector<MarkerLayout> markers = LayoutMarkers(model, fit, Shelf::Numbers().Exists());
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_NEAR(markers[0].centre.x, fit.x + fit.width / 2.0f, 1.0f);
  EXPECT_NEAR(markers[0].centre.y, fit.y + fit.height * 480.0f / 2000, 1.0f);
  EXPECT_NEAR(markers[1].centre.x, fit.x + fit.width, 1.0f);
  EXPECT_NEAR(markers[1].centre.y, fit.y + fit.height, 1.0f);
  // The square is centred and as wide as the picture's markers.
  EXPECT_FLOAT_EQ(markers[1].square.width, 13.0f);
  EXPECT_FLOAT_EQ(markers[1].square.x + 6.5f, markers[1].centre.x);
}

TEST(ModelAt, OnlyIndicesInsideTheCatalogueGiveAModel) {
  const std::vector<MODEL_DEF> models(2);
  EXPECT_EQ(ModelAt(models, 0), &models[0]);
  EXPECT_EQ(ModelAt(models, 1), &models[1]);
  for (int index : {-1, 2, 1000}) EXPECT_EQ(ModelAt(models, index), nullptr) << index;
}

TEST(LayoutMarkers, ButtonsAreNumberedAmongTheMasksButtons) {
  const MODEL_DEF model = ModelWithButtons((1u << 1) | (1u << 2) | (1u << 5));
  const ModelPictureFit fit = FitModelPicture(720, 960, 1.0f, 2000);
  const std::vector<MarkerLayout> markers = LayoutMarkers(model, fit, Shelf::Numbers().Exists());
  ASSERT_EQ(markers.size(), 3u);
  const int buttons[] = {1, 2, 5};
  for (int n = 0; n < 3; ++n) {
    const MarkerLayout& m = markers[n];
    EXPECT_EQ(m.highlight, n);
    EXPECT_EQ(m.picture, Num(n + 1)) << n;
    EXPECT_EQ(m.lit_picture, NumLit(n + 1)) << n;
    EXPECT_FALSE(m.overlay);
    const int i = buttons[n];
    EXPECT_FLOAT_EQ(m.centre.x, 20 + model.button_pos[i].x) << n;
    EXPECT_FLOAT_EQ(m.centre.y, 320 + model.button_pos[i].y) << n;
    EXPECT_FLOAT_EQ(m.square.width, 52.0f);
  }
}

TEST(LayoutMarkers, ButtonPictureChoice) {
  const PictureRef prepared{Set::kPrepared, false, 0};
  const PictureRef prepared_lit{Set::kPrepared, true, 0};
  const PictureRef tilt_left3{Set::kTiltLeft, false, 3};
  const PictureRef tilt_left3_lit{Set::kTiltLeft, true, 3};
  const PictureRef tilt_right2{Set::kTiltRight, false, 2};
  const PictureRef tilt_right2_lit{Set::kTiltRight, true, 2};
  const struct {
    const char* name;
    std::u16string code;
    Shelf shelf;
    PictureRef picture, lit;
  } cases[] = {
      {"number", u"", Shelf::Numbers(), Num(1), NumLit(1)},
      {"prepared first", u"", Shelf::Numbers().Add(prepared).Add(prepared_lit), prepared, prepared_lit},
      {"left tilt code", u"l3", Shelf::Numbers().Add(tilt_left3).Add(tilt_left3_lit), tilt_left3, tilt_left3_lit},
      {"other first letter is right", u"r2x", Shelf::Numbers().Add(tilt_right2).Add(tilt_right2_lit), tilt_right2,
       tilt_right2_lit},
      // The prepared picture wins normally; lit, the tilt picture does.
      {"prepared and code", u"l3", Shelf::Numbers().Add(prepared).Add(prepared_lit).Add(tilt_left3_lit), prepared,
       tilt_left3_lit},
      // A code names its picture even when the skin lacks it: nothing
      // normally, the ring when lit.
      {"code without picture", u"l3", Shelf::Numbers(), {}, {}},
      {"one character is no code", u"l", Shelf::Numbers(), Num(1), NumLit(1)},
      {"no digit is no code", u"lx", Shelf::Numbers(), Num(1), NumLit(1)},
      {"no pictures", u"", Shelf(), {}, {}},
  };
  for (const auto& c : cases) {
    MODEL_DEF model = ModelWithButtons(1u << 1);
    model.image[1] = c.code;
    const std::vector<MarkerLayout> markers =
        LayoutMarkers(model, FitModelPicture(720, 960, 1.0f, 2000), c.shelf.Exists());
    ASSERT_EQ(markers.size(), 1u) << c.name;
    EXPECT_EQ(markers[0].picture, c.picture) << c.name << ": " << Describe(markers[0].picture);
    EXPECT_EQ(markers[0].lit_picture, c.lit) << c.name << ": " << Describe(markers[0].lit_picture);
  }
}

TEST(LayoutMarkers, DirectionPicturesGoOverButtonsAndTiltsWhenTheSkinHasThem) {
  MODEL_DEF model = ModelWithButtons(0b110);
  model.image_over[1] = 4;
  model.image_over[2] = 5;
  model.tilt = 1;
  model.tilt_image_over[1] = 4;
  const Shelf shelf = Shelf::Numbers().Add({Set::kDirection, false, 4}).Add({Set::kDirection, true, 4});
  const std::vector<MarkerLayout> markers = LayoutMarkers(model, FitModelPicture(720, 960, 1.0f, 2000), shelf.Exists());
  ASSERT_EQ(markers.size(), 4u);
  EXPECT_EQ(markers[0].overlay, (PictureRef{Set::kDirection, false, 4}));
  EXPECT_EQ(markers[0].lit_overlay, (PictureRef{Set::kDirection, true, 4}));
  EXPECT_FALSE(markers[1].overlay);  // dir5 is missing
  EXPECT_FALSE(markers[2].overlay);
  EXPECT_EQ(markers[3].overlay, (PictureRef{Set::kDirection, false, 4}));
}

TEST(LayoutMarkers, TiltPairTakesTheSkinsPairOrElseContinuesTheNumbers) {
  const PictureRef left{Set::kTiltLeft, false, 2}, right{Set::kTiltRight, false, 2};
  const PictureRef left_lit{Set::kTiltLeft, true, 2}, right_lit{Set::kTiltRight, true, 2};
  const PictureRef prepared3{Set::kPrepared, false, 3};
  const struct {
    const char* name;
    int tilt_image_pos;
    Shelf shelf;
    PictureRef pictures[2], lit[2];
  } cases[] = {
      {"skin pair",
       2,
       Shelf::Numbers().Add(left).Add(right).Add(left_lit).Add(right_lit),
       {left, right},
       {left_lit, right_lit}},
      {"pair without lit variants", 2, Shelf::Numbers().Add(left).Add(right), {left, right}, {{}, {}}},
      // Three buttons came first, so the tilts are the 4th and 5th marker.
      {"no pair number", 0, Shelf::Numbers().Add(left).Add(right), {Num(4), Num(5)}, {NumLit(4), NumLit(5)}},
      {"half a pair", 2, Shelf::Numbers().Add(left), {Num(4), Num(5)}, {NumLit(4), NumLit(5)}},
      {"prepared", 0, Shelf::Numbers().Add(prepared3), {prepared3, Num(5)}, {NumLit(4), NumLit(5)}},
  };
  for (const auto& c : cases) {
    MODEL_DEF model = ModelWithButtons(0b1110);
    model.tilt = 1;
    model.tilt_image_pos = c.tilt_image_pos;
    model.tilt_pos[0] = {300, 210};
    model.tilt_pos[1] = {420, 210};
    const std::vector<MarkerLayout> markers =
        LayoutMarkers(model, FitModelPicture(720, 960, 0.5f, 2000), c.shelf.Exists());
    ASSERT_EQ(markers.size(), 5u) << c.name;
    for (int j = 0; j < 2; ++j) {
      const MarkerLayout& m = markers[3 + j];
      EXPECT_EQ(m.highlight, 12 + j) << c.name;
      EXPECT_EQ(m.picture, c.pictures[j]) << c.name << " " << j << ": " << Describe(m.picture);
      EXPECT_EQ(m.lit_picture, c.lit[j]) << c.name << " " << j << ": " << Describe(m.lit_picture);
      EXPECT_FLOAT_EQ(m.centre.x, 10 + model.tilt_pos[j].x * 0.5f) << c.name;
      EXPECT_FLOAT_EQ(m.centre.y, 160 + 210 * 0.5f) << c.name;
    }
  }
}

TEST(LayoutMarkers, HidEntriesNeedBothCodesAndContinueTheNumbers) {
  MODEL_DEF model = ModelWithButtons(0b110);
  model.hid_pos[0] = {150, 360};
  model.hid_pos[1] = {170, 460};
  model.hid_pos[2] = {190, 560};
  const struct {
    const char* name;
    int codes[3][2];
    std::vector<int> shown;  // HID entries with a marker
  } cases[] = {
      {"both", {{0xFA, 0xFA}, {0xFC, 0xFC}, {0, 0}}, {0, 1}},
      {"first lacks its up code", {{0xFA, 0}, {0xFC, 0xFC}, {0, 0}}, {1}},
      {"only two entries have markers", {{0, 0}, {0, 0}, {0xFA, 0xFA}}, {}},
  };
  for (const auto& c : cases) {
    for (int k = 0; k < 3; ++k) {
      model.hid_down[k] = c.codes[k][0];
      model.hid_up[k] = c.codes[k][1];
    }
    const std::vector<MarkerLayout> markers =
        LayoutMarkers(model, FitModelPicture(720, 960, 1.0f, 2000), Shelf::Numbers().Exists());
    ASSERT_EQ(markers.size(), 2 + c.shown.size()) << c.name;
    for (size_t s = 0; s < c.shown.size(); ++s) {
      const MarkerLayout& m = markers[2 + s];
      const int k = c.shown[s];
      EXPECT_EQ(m.highlight, 12 + k) << c.name;
      EXPECT_EQ(m.picture, Num(3 + static_cast<int>(s))) << c.name;
      EXPECT_EQ(m.lit_picture, NumLit(3 + static_cast<int>(s))) << c.name;
      EXPECT_FLOAT_EQ(m.centre.y, 320 + model.hid_pos[k].y) << c.name;
    }
  }
}

TEST(LayoutMarkers, HidMarkersIgnorePreparedPicturesAndCountEvenWithoutAPicture) {
  MODEL_DEF model = ModelWithButtons(0b10);
  for (int k = 0; k < 2; ++k) model.hid_down[k] = model.hid_up[k] = 0xF0 + k;
  // num2 is missing: the first HID marker has no picture yet is number 2.
  const Shelf shelf({Num(1), Num(3), NumLit(3), {Set::kPrepared, false, 1}});
  const std::vector<MarkerLayout> markers = LayoutMarkers(model, FitModelPicture(720, 960, 1.0f, 2000), shelf.Exists());
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_FALSE(markers[1].picture);
  EXPECT_FALSE(markers[1].lit_picture);
  EXPECT_EQ(markers[2].picture, Num(3));
  EXPECT_EQ(markers[2].lit_picture, NumLit(3));
}

TEST(FindLitMarker, ButtonsByNumberPairsByTwelveAndThirteen) {
  MODEL_DEF model = ModelWithButtons((1u << 3) | (1u << 7));
  model.hid_down[1] = model.hid_up[1] = 0xFC;
  const std::vector<MarkerLayout> markers =
      LayoutMarkers(model, FitModelPicture(720, 960, 1.0f, 2000), Shelf::Numbers().Exists());
  EXPECT_EQ(FindLitMarker(markers, 1), &markers[1]);
  EXPECT_EQ(FindLitMarker(markers, 13), &markers[2]);
  for (int none : {-1, 2, 12, 14}) EXPECT_EQ(FindLitMarker(markers, none), nullptr) << none;
}

TEST(LitMarkerArea, CoversTheRingAndItsShadow) {
  MarkerLayout marker;
  marker.centre = {100.5f, 200.0f};
  marker.square = {74.5f, 174.0f, 52.0f, 52.0f};
  // Scale 1: ring 6 wide, shadow 10; the shadow reaches 28 + 5 from the centre.
  EXPECT_EQ(LitRingPens(1.0f).ring, 6.0f);
  EXPECT_EQ(LitRingPens(1.0f).shadow, 10.0f);
  EXPECT_EQ(LitRingPens(0.48f).ring, 3.0f);
  const PanelRect area = LitMarkerArea(marker, 1.0f);
  EXPECT_LE(area.left, 100.5f - 33);
  EXPECT_GE(area.right, 100.5f + 33);
  EXPECT_LE(area.top, 200 - 33);
  EXPECT_GE(area.bottom, 200 + 33);
  EXPECT_LE(area.right - area.left, 70);
}

TEST(ModelLayerBounds, PictureAndMarkersWithRoomForSmoothingWithinTheClient) {
  ModelPictureFit fit;
  fit.x = 10;
  fit.y = 150;
  fit.width = 345;
  fit.height = 460;
  MarkerLayout inside, beyond;
  inside.square = {100.5f, 200.25f, 25, 25};
  // A marker on the picture's edge reaches past it.
  beyond.square = {340.5f, 600.5f, 25, 25};
  struct Case {
    const char* what;
    ModelPictureFit fit;
    std::vector<MarkerLayout> markers;
    int width, height;
    PanelRect expected;
  };
  const Case cases[] = {
      {"picture only", fit, {}, 1153, 769, {9, 149, 356, 611}},
      {"marker past the picture", fit, {inside, beyond}, 1153, 769, {9, 149, 367, 627}},
      {"clipped by the client", fit, {beyond}, 300, 620, {9, 149, 300, 620}},
      {"markers without a picture", ModelPictureFit{}, {inside}, 1153, 769, {99, 199, 127, 227}},
      {"nothing", ModelPictureFit{}, {}, 1153, 769, {}},
  };
  for (const Case& c : cases) {
    const PanelRect r = ModelLayerBounds(c.fit, c.markers, c.width, c.height);
    const PanelRect& e = c.expected;
    EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom), std::tie(e.left, e.top, e.right, e.bottom)) << c.what;
  }
}

TEST(BottomBar, VersionTextJoinsLabelProgramAndCatalogueVersions) {
  EXPECT_EQ(VersionText(u"Software version:", u"24.11"), u"Software version: 0.0.2.13.24.11");
  EXPECT_EQ(VersionText(u"", u""), u" 0.0.2.13.");
  // A translated label is text, never a format.
  EXPECT_EQ(VersionText(u"%s%n%d %%", u"%s"), u"%s%n%d %% 0.0.2.13.%s");
}

TEST(BottomBar, ConnectionKindFromTheModelName) {
  const struct {
    std::u16string name;
    std::u16string_view kind;
  } cases[] = {
      {u"Pelto 5 (BT)", u"BT"},     {u"Ilvo 6 (RF)", u"2.4G"},   {u"Pelto 5", u"Wired"},    {u"", u"Wired"},
      {u"abc(BT)", u"BT"},           // index 3 is late enough
      {u"ab(BT)", u"Wired"},         // index 2 is not
      {u"(BT) Pelto", u"Wired"},     // at the start
      {u"(BT) Ilvo (RF)", u"2.4G"},  // only the first "(BT)" counts
      {u"(RF) x (RF)", u"Wired"},   {u"Mirel (RF) (BT)", u"BT"}, {u"Tolva (bt)", u"Wired"},
  };
  for (const auto& c : cases) EXPECT_EQ(ConnectionKind(c.name), c.kind) << std::string(c.name.begin(), c.name.end());
}

TEST(BottomBar, BoxesFromTheBarAndTheScale) {
  const BottomBarLayout bar = LayoutBottomBar({1, 721, 1151, 767}, 0.48f);
  EXPECT_FLOAT_EQ(bar.font_size, 23.0f);
  EXPECT_FLOAT_EQ(bar.small_font_size, 18.4f);
  EXPECT_FLOAT_EQ(bar.version_box.x, 5.8f);
  EXPECT_FLOAT_EQ(bar.version_box.y, 721.0f);
  EXPECT_FLOAT_EQ(bar.version_box.width, 1150 - 14.4f);
  EXPECT_FLOAT_EQ(bar.version_box.height, 46.0f);
  EXPECT_FLOAT_EQ(bar.device_box.x, 9.6f);
  EXPECT_FLOAT_EQ(bar.device_box.width, 480.0f);
  EXPECT_FLOAT_EQ(bar.device_box.height, 46.0f);
}

TEST(BottomBar, DeviceTextCentredUnlessTheModelListButtonIsInTheWay) {
  // Scale 0.5: the box runs from 10 to 510; the font is 20.
  const BottomBarLayout bar = LayoutBottomBar({1, 700, 1001, 740}, 0.5f);
  // Centred, a 200 wide text starts at 10 + 150 = 160.
  const RectF narrow{10, 705, 130, 30};  // ends at 140: 10 more stays below 160
  const RectF edge{10, 705, 140, 30};    // ends at 150: 10 more reaches 160
  const RectF wide{10, 705, 141, 30};
  const RectF huge{10, 705, 400, 30};  // leaves less than the text's width
  const struct {
    const char* name;
    const RectF* button;
    PlacedText expected;
  } cases[] = {
      {"single device", nullptr, {{10, 700, 500, 40}, TextAlign::kCenter}},
      {"button far enough", &narrow, {{10, 700, 500, 40}, TextAlign::kCenter}},
      {"button just far enough", &edge, {{10, 700, 500, 40}, TextAlign::kCenter}},
      // One font size after the button; the box still ends at 510.
      {"button in the way", &wide, {{171, 700, 339, 40}, TextAlign::kNear}},
      {"button leaves too little", &huge, {{430, 700, 200, 40}, TextAlign::kNear}},
  };
  for (const auto& c : cases) {
    const PlacedText placed = PlaceDeviceText(bar, 200.0f, c.button);
    EXPECT_EQ(placed.align, c.expected.align) << c.name;
    EXPECT_FLOAT_EQ(placed.box.x, c.expected.box.x) << c.name;
    EXPECT_FLOAT_EQ(placed.box.y, c.expected.box.y) << c.name;
    EXPECT_FLOAT_EQ(placed.box.width, c.expected.box.width) << c.name;
    EXPECT_FLOAT_EQ(placed.box.height, c.expected.box.height) << c.name;
  }
}

TEST(BottomBar, ProfileTextCentredInTheRoomBeforeTheLinkOrEndingThere) {
  // Scale 0.5: the device box ends at 510.
  const BottomBarLayout bar = LayoutBottomBar({1, 700, 1001, 740}, 0.5f);
  const PlacedText fits = PlaceProfileText(bar, 100.0f, 800.0f);
  EXPECT_EQ(fits.align, TextAlign::kCenter);
  EXPECT_FLOAT_EQ(fits.box.x, 510.0f);
  EXPECT_FLOAT_EQ(fits.box.width, 290.0f);
  const PlacedText wide = PlaceProfileText(bar, 400.0f, 800.0f);
  EXPECT_EQ(wide.align, TextAlign::kNear);
  EXPECT_FLOAT_EQ(wide.box.x, 400.0f);
  EXPECT_FLOAT_EQ(wide.box.x + wide.box.width, 800.0f);
}

TEST(BottomBar, UpdateLinkSitsLeftOfTheVersionTextCentredOnIt) {
  const RectF link = PlaceUpdateLink({6, 721, 1136, 46}, 300.0f, 120.0f, 28.0f);
  EXPECT_FLOAT_EQ(link.x, 1142 - 300 - 120 - 10);
  EXPECT_FLOAT_EQ(link.y, 721 + 9);
  EXPECT_FLOAT_EQ(link.width, 125.0f);
  EXPECT_FLOAT_EQ(link.height, 28.0f);
}

}  // namespace
}  // namespace tessaro
