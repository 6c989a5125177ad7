#include "ui/skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "catalog/utf.h"

namespace tessaro {
namespace {

using nlohmann::json;

TEST(ReadJsonHex, NumbersAreValuesAndTextsAreHexadecimal) {
  const json doc = json::parse(R"({
    "text": "FF00FF00", "prefixed": "0xFF00FF00", "upper": "0XFF00FF00", "spaced": "  0xff00ff00 ",
    "number": 4278255360, "ten_text": "10", "ten": 10, "fraction": 3.9, "negative": -1,
    "wide": 8589934593, "inner": "0x12 0x34", "empty": "", "null": null,
    "flag": true, "list": [1], "object": {}
  })");
  const struct {
    const char* key;
    std::optional<int32_t> value;
  } cases[] = {
      {"text", static_cast<int32_t>(0xFF00FF00)},
      {"prefixed", static_cast<int32_t>(0xFF00FF00)},
      {"upper", static_cast<int32_t>(0xFF00FF00)},
      {"spaced", static_cast<int32_t>(0xFF00FF00)},
      {"number", static_cast<int32_t>(0xFF00FF00)},
      {"ten_text", 16},
      {"ten", 10},
      {"fraction", 3},
      {"negative", -1},
      {"wide", 1},      // low 32 bits
      {"inner", 0x12},  // hex digits up to the first other character
      {"empty", 0},
      {"null", 0},
      {"missing", 0},
      {"flag", std::nullopt},  // types a number cannot come from
      {"list", std::nullopt},
      {"object", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadJsonHex(doc, c.key), c.value) << c.key;
}

// A picture that remembers which member it came from.
class NamedPicture final : public PanelImage {
 public:
  explicit NamedPicture(std::u16string name) : name(std::move(name)) {}
  std::u16string name;
};

std::u16string NameOf(const PanelImagePtr& picture) {
  return picture ? static_cast<const NamedPicture&>(*picture).name : u"(none)";
}

// A package whose members are given by the test: every picture name in
// `pictures` decodes, everything else is missing.
class FakeSkinSource final : public SkinSource {
 public:
  std::vector<uint8_t> ReadMember(std::u16string_view name) override {
    read.emplace_back(name);
    return name == u"skin.json" ? document : std::vector<uint8_t>{};
  }
  PanelImagePtr LoadPicture(std::u16string_view name) override {
    asked.emplace_back(name);
    if (std::find(pictures.begin(), pictures.end(), name) == pictures.end()) return nullptr;
    return std::make_unique<NamedPicture>(std::u16string(name));
  }
  bool WasAsked(std::u16string_view name) const { return std::find(asked.begin(), asked.end(), name) != asked.end(); }

  std::vector<uint8_t> document;
  std::vector<std::u16string> pictures;
  std::vector<std::u16string> asked;
  std::vector<std::u16string> read;
};

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

constexpr uint32_t kGreen = 0xFF00FF00;

class SkinTest : public ::testing::Test {
 protected:
  // Distinct colours in every style the skin may write, so a test sees
  // which fields it changed.
  void SetUp() override {
    uint32_t colour = 0xFF010101;
    for (WidgetStyle* style : Styles()) {
      for (uint32_t* field :
           {&style->outline, &style->glyph, &style->fill, &style->fill2, &style->text, &style->text_bg})
        *field = colour += 0x10203;
    }
    defaults = Snapshot();
  }

  std::vector<WidgetStyle*> Styles() {
    return {&panel.panel_style,  &panel.caption_style,      &panel.status_style, &panel.menu_style,
            &panel.button_style, &panel.button_hover_style, &panel.text_style,   &panel.button3_style};
  }
  std::vector<uint32_t> Snapshot() {
    std::vector<uint32_t> out;
    for (WidgetStyle* s : Styles())
      out.insert(out.end(), {s->outline, s->glyph, s->fill, s->fill2, s->text, s->text_bg});
    return out;
  }

  void Apply(std::string_view document) {
    source.document = Bytes(document);
    ApplySkin(source, panel);
  }

  SkinPanel panel;
  FakeSkinSource source;
  std::vector<uint32_t> defaults;
};

TEST_F(SkinTest, ColourTextsAndNumbersAgree) {
  for (const char* colour : {R"("FF00FF00")", R"("0xFF00FF00")", "4278255360"}) {
    SCOPED_TRACE(colour);
    Apply(std::string(R"({"caption_icon": "i.png", "button_style": {"text_color": )") + colour + "}}");
    EXPECT_EQ(panel.button_style.text, kGreen);
  }
}

TEST_F(SkinTest, BatteryColoursAreTakenFromTextsOnly) {
  Apply(R"({"battery_color": 4278255360, "battery_empty_color": "0xFF00FF00"})");
  EXPECT_EQ(panel.pictures.battery_color, 0xFF202020u);
  EXPECT_EQ(panel.pictures.battery_empty_color, kGreen);
}

TEST_F(SkinTest, LogoPositionTextsAreHexadecimal) {
  const struct {
    const char* document;
    int32_t x, y;
  } cases[] = {
      {R"({"logo_image": "logo.png", "logo_x": "10", "logo_y": 10})", 16, 10},
      {R"({"logo_image": "logo.png", "logo_y": "0x20"})", -7, 32},  // x absent: kept
      {R"({"logo_x": 10, "logo_y": 10})", -7, -7},                  // no logo: not read
      {R"({"logo_image": 5, "logo_x": 10})", -7, -7},
  };
  for (const auto& c : cases) {
    panel.logo_x = panel.logo_y = -7;
    Apply(c.document);
    EXPECT_EQ(panel.logo_x, c.x) << c.document;
    EXPECT_EQ(panel.logo_y, c.y) << c.document;
  }
}

TEST_F(SkinTest, StyleMembersItLacksBecomeZero) {
  Apply(R"({"caption_icon": "i.png", "dialog_style": {"text_color": "FF00FF00"}})");
  const WidgetStyle& s = panel.panel_style;
  EXPECT_EQ(s.text, kGreen);
  EXPECT_EQ((std::vector<uint32_t>{s.outline, s.glyph, s.fill, s.fill2, s.text_bg}), std::vector<uint32_t>(5, 0));
}

TEST_F(SkinTest, EachStyleReadsOnlyItsOwnMembers) {
  std::string document = R"({"caption_icon": "i.png")";
  for (const char* key : {"dialog_style", "caption_style", "status_style", "menu_style", "button_style",
                          "button_hover_style", "text_style"}) {
    document += std::string(R"(, ")") + key +
                R"(": {"text_color": 1, "text_bg_color": 2, "foreground_color": 3, "border_color": 4,
                       "background_color1": 5, "background_color2": 6})";
  }
  Apply(document + "}");
  const uint32_t old_caption_outline = defaults[6], old_menu_text_bg = defaults[3 * 6 + 5];
  const struct {
    const WidgetStyle* style;
    uint32_t outline, text_bg;
  } cases[] = {
      {&panel.panel_style, 4, 2},
      {&panel.caption_style, old_caption_outline, 2},
      {&panel.menu_style, 4, old_menu_text_bg},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.style->outline, c.outline);
    EXPECT_EQ(c.style->text_bg, c.text_bg);
    EXPECT_EQ((std::vector<uint32_t>{c.style->text, c.style->glyph, c.style->fill, c.style->fill2}),
              (std::vector<uint32_t>{1, 3, 5, 6}));
  }
  EXPECT_NE(panel.text_style.outline, 4u);
  EXPECT_NE(panel.text_style.text_bg, 2u);
  EXPECT_NE(panel.button_style.text_bg, 2u);
  EXPECT_EQ(panel.button_hover_style.outline, 4u);
  const size_t kButton3 = 7 * 6;
  const std::vector<uint32_t> now = Snapshot();
  EXPECT_EQ(std::vector<uint32_t>(now.begin() + kButton3, now.end()),
            std::vector<uint32_t>(defaults.begin() + kButton3, defaults.end()));
}

TEST_F(SkinTest, WithoutCaptionIconNoStyleOrIconTakesEffect) {
  std::string document = R"({"skin_name": 7)";
  for (const char* key : {"dialog_style", "caption_style", "status_style", "menu_style", "button_style",
                          "button_hover_style", "text_style"})
    document += std::string(R"(, ")") + key + R"(": {"text_color": "FF00FF00", "background_color1": 1})";
  for (const char* icon : {"", R"(, "caption_icon": 12)", R"(, "caption_icon": null)"}) {
    SCOPED_TRACE(icon);
    source.pictures = {u"i.png"};
    source.asked.clear();
    Apply(document + icon + "}");
    EXPECT_EQ(Snapshot(), defaults);
    EXPECT_EQ(panel.caption_icon, nullptr);
  }
}

TEST_F(SkinTest, MissingStatusStyleIsDerivedFromTheBody) {
  for (const char* status : {"", R"(, "status_style": null)", R"(, "status_style": "dark")"}) {
    SCOPED_TRACE(status);
    SetUp();
    Apply(std::string(R"({"caption_icon": "i.png", "dialog_style": {"text_color": "FFEEDDCC",
                                                                     "background_color1": "FF8040C0"})") +
          status + "}");
    EXPECT_EQ(panel.status_style.fill, 0x80201030u);
    EXPECT_EQ(panel.status_style.fill2, 0x80201030u);
    EXPECT_EQ(panel.status_style.glyph, 0x80201030u);
    EXPECT_EQ(panel.status_style.text, 0xFFEEDDCCu);
    EXPECT_EQ(panel.status_style.text_bg, defaults[2 * 6 + 5]);
  }
}

TEST_F(SkinTest, StatusIsDerivedEvenWithoutCaptionIconButNotWhenGiven) {
  panel.panel_style.fill = 0xFF8040C0;
  Apply(R"({})");
  EXPECT_EQ(panel.status_style.fill, 0x80201030u);

  SetUp();
  Apply(R"({"status_style": {"background_color1": "FF00FF00"}})");  // given, but not read
  EXPECT_EQ(Snapshot(), defaults);
}

TEST_F(SkinTest, MembersOfOtherTypesAreSkippedAndTheRestIsRead) {
  panel.logo_x = 3;
  Apply(R"({"update_url": 5, "logo_image": "logo.png", "logo_x": true, "logo_y": [1],
            "battery_color": "0xFF00FF00", "uncheck_image": {},
            "caption_icon": "i.png", "skin_name": false,
            "dialog_style": {"text_color": {}, "border_color": [], "foreground_color": "FF00FF00"},
            "caption_style": 17, "menu_style": {"text_color": "FF00FF00"}})");
  EXPECT_EQ(UpdateUrl(), u"");
  EXPECT_EQ(panel.logo_x, 3);
  EXPECT_EQ(panel.pictures.battery_color, kGreen);
  EXPECT_EQ(panel.panel_style.text, defaults[4]);
  EXPECT_EQ(panel.panel_style.outline, defaults[0]);
  EXPECT_EQ(panel.panel_style.glyph, kGreen);
  const std::vector<uint32_t> now = Snapshot();
  EXPECT_EQ(std::vector<uint32_t>(now.begin() + 6, now.begin() + 12),
            std::vector<uint32_t>(defaults.begin() + 6, defaults.begin() + 12));  // caption style kept
  EXPECT_EQ(panel.menu_style.text, kGreen);
}

TEST_F(SkinTest, PicturesNamedByTextsReplaceAndOtherTypesKeep) {
  source.pictures = {u"image/logo.png", u"image/c.png"};
  panel.check_checked = std::make_unique<NamedPicture>(u"old checked");
  panel.check_unchecked = std::make_unique<NamedPicture>(u"old unchecked");
  panel.texture = std::make_unique<NamedPicture>(u"old texture");
  Apply(R"({"logo_image": "image/logo.png", "checked_image": "image/c.png", "uncheck_image": "image/gone.png",
            "patten_image": 4, "blank_image": null, "caption_icon": "image/missing.png"})");
  EXPECT_EQ(NameOf(panel.logo), u"image/logo.png");
  EXPECT_EQ(NameOf(panel.check_checked), u"image/c.png");
  EXPECT_EQ(NameOf(panel.check_unchecked), u"(none)");
  EXPECT_EQ(NameOf(panel.texture), u"old texture");
  EXPECT_EQ(NameOf(panel.caption_icon), u"(none)");
}

TEST_F(SkinTest, FixedPicturesComeFirstInTheirOrder) {
  source.pictures = {u"image/num1.png", u"image/tiltl5r.png", u"image/dirR10.png"};
  Apply(R"({"caption_icon": "i.png"})");
  const std::vector<std::u16string> first(source.asked.begin(), source.asked.begin() + 6);
  EXPECT_EQ(first, (std::vector<std::u16string>{u"image/num1.png", u"image/num1r.png", u"image/num2.png",
                                                u"image/num2r.png", u"image/num3.png", u"image/num3r.png"}));
  EXPECT_EQ(source.asked[20], u"image/battery1.png");
  EXPECT_EQ(source.asked[22], u"image/tiltl1.png");
  EXPECT_EQ(source.asked[23], u"image/tiltl1r.png");
  EXPECT_EQ(source.asked[61], u"image/dirR10.png");
  EXPECT_EQ(source.asked.back(), u"i.png");
  EXPECT_EQ(source.asked.size(), 63u);
  EXPECT_TRUE(source.WasAsked(u"image/tiltl5.png"));
  EXPECT_FALSE(source.WasAsked(u"image/tiltl6.png"));
  EXPECT_FALSE(source.WasAsked(u"image/tiltr6r.png"));
  EXPECT_EQ(NameOf(panel.pictures.num[0]), u"image/num1.png");
  EXPECT_EQ(NameOf(panel.pictures.tilt_left_highlight[4]), u"image/tiltl5r.png");
  EXPECT_EQ(NameOf(panel.pictures.dir_highlight[9]), u"image/dirR10.png");
  EXPECT_EQ(PictureAt(panel.pictures.num, 0), nullptr);
  EXPECT_EQ(PictureAt(panel.pictures.num, 11), nullptr);
  EXPECT_EQ(PictureAt(panel.pictures.num, 1), panel.pictures.num[0].get());
}

TEST_F(SkinTest, WithoutDocumentOnlyTheFixedPicturesAreSet) {
  source.pictures = {u"image/num4.png"};
  ApplySkin(source, panel);  // the package has no skin.json
  EXPECT_EQ(NameOf(panel.pictures.num[3]), u"image/num4.png");
  EXPECT_EQ(Snapshot(), defaults);
  EXPECT_EQ(source.read, std::vector<std::u16string>{u"skin.json"});
}

TEST_F(SkinTest, DocumentEndsAtItsFirstZeroByteAndBadJsonIsEmpty) {
  Apply(std::string(R"({"update_url": "https://example.test/u"})") + '\0' + "trailing bytes");
  EXPECT_EQ(UpdateUrl(), u"https://example.test/u");

  panel.panel_style.fill = 0xFF8040C0;
  Apply(R"({"update_url": "https://example.test/u", "caption_icon": )");
  EXPECT_EQ(UpdateUrl(), u"");
  EXPECT_EQ(panel.status_style.fill, 0x80201030u);  // as an empty document
}

// The shipped skin, read from the data folder as the package would give it.
class FolderSkinSource final : public SkinSource {
 public:
  explicit FolderSkinSource(std::filesystem::path top) : top_(std::move(top)) {}
  std::vector<uint8_t> ReadMember(std::u16string_view name) override {
    std::ifstream in(top_ / Utf16ToUtf8(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  PanelImagePtr LoadPicture(std::u16string_view name) override {
    if (!std::filesystem::exists(top_ / Utf16ToUtf8(name))) return nullptr;
    return std::make_unique<NamedPicture>(std::u16string(name));
  }

 private:
  std::filesystem::path top_;
};

TEST(ShippedSkin, EveryPartIsRead) {
  FolderSkinSource source(std::filesystem::path(TESSARO_DATA_DIR) / "skin" / "skin_korvane");
  SkinPanel panel;
  ApplySkin(source, panel);
  EXPECT_EQ(UpdateUrl(), u"https://tessaro.app/update");
  EXPECT_EQ(panel.logo_x, 40);
  EXPECT_EQ(panel.logo_y, 36);
  for (const PanelImagePtr* picture :
       {&panel.logo, &panel.caption_icon, &panel.texture, &panel.check_checked, &panel.check_unchecked,
        &panel.pictures.blank, &panel.pictures.num[9], &panel.pictures.tilt_right_highlight[3]})
    EXPECT_NE(*picture, nullptr);
  EXPECT_EQ(panel.pictures.battery_color, 0xFF38CDB3u);
  EXPECT_EQ(panel.caption_style.fill, 0xFF262C38u);
  EXPECT_EQ(panel.status_style.fill, 0xFF101318u);
  EXPECT_EQ(panel.button_hover_style.outline, 0xFF38CDB3u);
  EXPECT_EQ(panel.text_style.fill, 0x001A1E26u);
}

}  // namespace
}  // namespace tessaro
