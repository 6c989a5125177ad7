// The marker column built from a model and its assignments: row spacing,
// the texts of unassigned buttons, number labels and their font, and the
// markers assignments name.
#include "shell/marker_column.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/utf.h"
#include "support/setting_builders.h"

namespace {

using namespace tessaro;
using test_support::ButtonTrigger;
using test_support::HidTrigger;
using test_support::Setting;
using test_support::TestModel;
using test_support::TiltTrigger;

constexpr float kScale = 0.48f;
constexpr int kRow = 48;             // int(100 x scale)
constexpr int kWidth = 422;          // int(880 x scale)
constexpr float kRight = 1152.0f;    // the client's right
constexpr float kLabelFont = 16.0f;  // the labels' base size
constexpr float kRoomy = 10000.0f;   // a window tall enough for every row
const MarkerColumnLayout kLayout{kScale, kRight, kLabelFont, kRoomy};

const TextMap kLanguage = {
    {u"left click", u"Left click"},
    {u"right click", u"Right click"},
    {u"middle click", u"Middle click"},
    {u"backward", u"Backward"},
    {u"forward", u"Forward"},
    {u"show task", u"Open Task View"},
    {u"tilt left", u"Tilt left"},
    {u"tilt right", u"Tilt right"},
    {u"tilt left function", u"Scroll left"},
    {u"button", u"Button"},
    {u"thumb", u"Thumb"},
};
const MarkerColumnTexts kTexts{kLanguage, u"Default"};

MODEL_DEF ModelWithButtons(uint32_t mask) {
  MODEL_DEF model = TestModel(0x10, 0x9208, 0x4b, 0x3a7c, 0x7a10, 2);
  model.button = mask;
  return model;
}

void AddHidEntry(MODEL_DEF& model, int32_t down, int32_t up) {
  model.hid_down[model.hid_count] = down;
  model.hid_up[model.hid_count] = up;
  ++model.hid_count;
}

float RowY(int k, float factor) { return 260 * kScale + k * kRow * factor; }

TEST(MarkerColumn, RowsAreSpacedByHowManyButtonsAndTiltSidesShow) {
  MODEL_DEF tilt_model = ModelWithButtons(0x7E);  // six buttons
  tilt_model.tilt = 1;
  MODEL_DEF hid_model = ModelWithButtons(0x0E);  // three buttons
  AddHidEntry(hid_model, 0xFA, 0xFA);
  AddHidEntry(hid_model, 0xFC, 0xFC);
  const struct {
    const char* what;
    MODEL_DEF model;
    float factor;
    std::vector<int> markers;  // shown, in row order
  } cases[] = {
      {"three buttons", ModelWithButtons(0x0E), 2.0f, {1, 2, 3}},
      {"four buttons", ModelWithButtons(0x1E), 1.75f, {1, 2, 3, 4}},
      {"six buttons", ModelWithButtons(0x7E), 1.33f, {1, 2, 3, 4, 5, 6}},
      {"eight buttons", ModelWithButtons(0x1FE), 1.2f, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"eleven buttons", ModelWithButtons(0xFFE), 1.2f, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"six buttons and the tilt sides", tilt_model, 1.2f, {1, 2, 3, 4, 5, 6, 12, 13}},
      // HID rows are added below without closing up the rows.
      {"three buttons and two HID buttons", hid_model, 2.0f, {1, 2, 3, 12, 13}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const MarkerColumn column = BuildMarkerColumn(c.model, {}, kTexts, kLayout);
    for (int k = 0; k < kMarkerCount; ++k) EXPECT_FLOAT_EQ(column.labels[k].y.value(), RowY(k, c.factor)) << k;
    std::vector<int> shown;
    for (int i = 0; i < kMarkerCount; ++i)
      if (column.markers[i].visible) shown.push_back(i);
    // Markers show in marker order, one per row.
    EXPECT_EQ(shown, c.markers);
    for (size_t m = 0; m < shown.size(); ++m) {
      const RectF& rect = column.markers[shown[m]].rect;
      EXPECT_FLOAT_EQ(rect.x, kRight - 60 * kScale - kWidth);
      EXPECT_FLOAT_EQ(rect.y, RowY(static_cast<int>(m), c.factor));
      EXPECT_FLOAT_EQ(rect.width, kWidth);
      EXPECT_FLOAT_EQ(rect.height, kRow);
      EXPECT_TRUE(column.labels[m].visible);
    }
    EXPECT_FALSE(column.labels[shown.size()].visible);
    EXPECT_TRUE(column.heading_visible);
    EXPECT_TRUE(column.reset_visible);
    EXPECT_FLOAT_EQ(column.reset_y, RowY(static_cast<int>(shown.size()), c.factor));
  }
}

TEST(MarkerColumn, RowsCloseUpAboveWhatLiesBelowTheColumn) {
  MODEL_DEF tilt_model = ModelWithButtons(0xFE);  // seven buttons
  tilt_model.tilt = 1;
  enum Packing { kSpaced, kFitted, kTightest };
  const struct {
    const char* what;
    MODEL_DEF model;
    float bottom;
    Packing packing;
  } cases[] = {
      {"three buttons in a low window", ModelWithButtons(0x0E), 552, kSpaced},
      {"nine rows in a low window", tilt_model, 552, kFitted},
      {"eleven buttons in a lower window", ModelWithButtons(0xFFE), 460, kFitted},
      // Rows half a row apart at the closest, even when that overflows.
      {"eleven buttons in a window too low for them", ModelWithButtons(0xFFE), 276, kTightest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const MarkerColumn column = BuildMarkerColumn(c.model, {}, kTexts, {kScale, kRight, kLabelFont, c.bottom});
    const MarkerColumn roomy = BuildMarkerColumn(c.model, {}, kTexts, kLayout);
    std::vector<RectF> rows;
    for (const MarkerState& marker : column.markers)
      if (marker.visible) rows.push_back(marker.rect);
    for (size_t m = 0; m < rows.size(); ++m) {
      EXPECT_FLOAT_EQ(column.labels[m].y.value(), rows[m].y);
      EXPECT_FLOAT_EQ(column.labels[m].height.value(), rows[m].height);
      if (m + 1 < rows.size()) {
        EXPECT_LE(rows[m].y + rows[m].height, rows[m + 1].y) << m;
      }
    }
    switch (c.packing) {
      case kSpaced:
        EXPECT_FLOAT_EQ(column.reset_y, roomy.reset_y);
        EXPECT_FLOAT_EQ(rows.front().height, kRow);
        break;
      case kFitted:
        // The reset widget, a row high, ends a fifth of a row above.
        EXPECT_NEAR(column.reset_y + kRow, c.bottom - 0.2f * kRow, 0.01f);
        EXPECT_LT(rows.front().height, kRow);
        break;
      case kTightest:
        EXPECT_FLOAT_EQ(column.reset_y, RowY(0, 1) + rows.size() * 0.5f * kRow);
        break;
    }
  }
}

TEST(MarkerColumn, UnassignedButtonsNameTheirOwnActionBesideTheDefaultFunction) {
  MODEL_DEF model = ModelWithButtons(0x7E);
  model.function[5] = u"show task";
  model.function[6] = u"no such key";
  model.tilt = 1;
  model.tilt_function[0] = u"tilt left function";
  const MarkerColumn column = BuildMarkerColumn(model, {}, kTexts, kLayout);
  const struct {
    int marker;
    std::u16string text;
  } cases[] = {
      {1, u"Right click (Default)"},
      {2, u"Middle click (Default)"},
      {4, u"Forward (Default)"},
      {5, u"Open Task View (Default)"},
      {6, u"Default"},
      {12, u"Scroll left (Default)"},
      {13, u"Default"},
  };
  for (const auto& c : cases) EXPECT_EQ(column.markers[c.marker].text, c.text) << c.marker;
  // Markers the model lacks keep whatever they showed.
  EXPECT_FALSE(column.markers[7].text);
  // A HID button without an assignment does what the default function does.
  MODEL_DEF hid_model = ModelWithButtons(0x02);
  AddHidEntry(hid_model, 0x21, 0x22);
  EXPECT_EQ(BuildMarkerColumn(hid_model, {}, kTexts, kLayout).markers[12].text, u"Default");

  // Texts are joined, never used as formats.
  const TextMap odd = {{u"right click", u"%s %d %n"}};
  EXPECT_EQ(DefaultMarkerText(1, &model, {odd, u"%s"}), u"%s %d %n (%s)");

  const MarkerColumn empty = BuildEmptyMarkerColumn(kTexts);
  for (int i = 0; i < kMarkerCount; ++i) {
    EXPECT_FALSE(empty.markers[i].visible);
    EXPECT_FALSE(empty.labels[i].visible);
    EXPECT_FALSE(empty.labels[i].y);
    if (i >= 5) {
      EXPECT_EQ(empty.markers[i].text, u"Default") << i;
    }
  }
  EXPECT_EQ(empty.markers[0].text, u"Left click (Default)");
  EXPECT_EQ(empty.markers[3].text, u"Backward (Default)");
  EXPECT_FALSE(empty.heading_visible);
  EXPECT_FALSE(empty.reset_visible);
}

TEST(MarkerColumn, LabelsAreLongerTextsDrawnSmaller) {
  const struct {
    std::u16string text;
    float size;
  } sizes[] = {{u"", kLabelFont}, {u"1", kLabelFont}, {u"Tilt 1", kLabelFont}, {u"Tilt 12", 0.95f * kLabelFont}};
  for (const auto& c : sizes) EXPECT_FLOAT_EQ(LabelFontSize(c.text, kLabelFont), c.size) << Utf16ToUtf8(c.text);

  // Button 1 plain, 2 with a caption of its own, 3 with a translated
  // caption, 4 and 5 drawn as tilt pictures (labelled by their captions),
  // then the tilt sides, the right one named by a key of its own.
  MODEL_DEF model = ModelWithButtons(0x3E);
  model.numStr[2] = u"A";
  model.str[3] = u"thumb";
  model.numStr[3] = u"T";
  model.image[4] = u"l1";
  model.image[5] = u"r2";
  model.numStr[5] = u"W";
  model.tilt = 1;
  model.tilt_numStr[0] = u"<";
  model.tilt_str[1] = u"button";
  const MarkerColumn column = BuildMarkerColumn(model, {}, kTexts, kLayout);
  const struct {
    std::u16string label;
    std::u16string caption;
  } rows[] = {
      {u"1", u"1"}, {u"A", u"A"},           {u"Thumb 3", u"ThumbT"}, {u"2", u"2"},
      {u"W", u"W"}, {u"Tilt left <", u"<"}, {u"Button 7", u""},
  };
  for (size_t m = 0; m < std::size(rows); ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(column.labels[m].text, rows[m].label);
    EXPECT_EQ(column.captions[m], rows[m].caption);
    EXPECT_FLOAT_EQ(column.labels[m].font_size.value(), LabelFontSize(rows[m].label, kLabelFont));
  }
  // Only numbered markers have the skin's numbered pictures.
  EXPECT_EQ(std::vector<int>(column.picture_numbers.begin(), column.picture_numbers.begin() + 8),
            (std::vector<int>{1, 0, 0, 2, 0, 0, 0, 0}));
}

TEST(MarkerColumn, AssignmentsOfTheModelNameTheirMarkers) {
  MODEL_DEF model = ModelWithButtons(0x0E);
  model.exclude[2] = 22;
  model.one_time[3] = 1;
  AddHidEntry(model, 0xFA, 0xFA);
  AddHidEntry(model, 0x21, 0x22);
  MODEL_DEF other = model;
  other.model_id = 0x11;
  const ButtonSettingArray assignments = {
      Setting(ButtonTrigger(model, 2), 2, u"Copy"),
      Setting(ButtonTrigger(other, 3), 2, u"Paste"),  // another model's
      Setting(HidTrigger(model, 0xFA, 0xFA), 6, u"Scroll down"),
      Setting(HidTrigger(model, 0x21, 0x22), 3, u"Mute"),
      Setting(TiltTrigger(model, 1), 7, u"Tilt"),    // no tilt on this model
      Setting(ButtonTrigger(model, 9), 2, u"Undo"),  // hidden button
  };
  const MarkerColumn column = BuildMarkerColumn(model, assignments, kTexts, kLayout);
  const struct {
    int marker;
    std::optional<std::u16string> text;
    MarkerMenu menu;
  } cases[] = {
      {1, u"Right click (Default)", {0, 0, 1 << 1}},
      {2, u"Copy", {0, 22, 1 << 2}},
      {3, u"Backward (Default)", {1, 0, 1 << 3}},
      {9, u"Undo", {0, 0, 1 << 9}},
      // One code for press and release: the HID list.
      {12, u"Scroll down", {1, 0, 1 << 12}},
      {13, u"Mute", {0, 0, 1 << 13}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker);
    const MarkerState& state = column.markers[c.marker];
    EXPECT_EQ(state.text, c.text);
    EXPECT_EQ(state.menu.hid_list, c.menu.hid_list);
    EXPECT_EQ(state.menu.excluded_type, c.menu.excluded_type);
    EXPECT_EQ(state.menu.exclusion_mask, c.menu.exclusion_mask);
  }
  EXPECT_FALSE(column.markers[9].visible);
  EXPECT_EQ(column.labels[3].text, u"4");
  EXPECT_EQ(column.labels[4].text, u"5");
}

TEST(MarkerColumn, AProgramsProfileNamesItsOwnAssignmentsAndInheritsTheRest) {
  const MODEL_DEF model = ModelWithButtons(0x0E);
  const ButtonSettingArray defaults = {Setting(ButtonTrigger(model, 2), 2, u"Copy"),
                                       Setting(ButtonTrigger(model, 3), 2, u"Undo")};
  const ButtonSettingArray profile = {Setting(ButtonTrigger(model, 3), 2, u"Paste")};
  const MarkerColumn shown = BuildMarkerColumn(model, defaults, kTexts, kLayout, &profile);
  const struct {
    int marker;
    std::u16string text;
    bool inherited;
  } cases[] = {
      {1, u"Right click (Default)", true},  // assigned nowhere
      {2, u"Copy", true},                   // the default assignment
      {3, u"Paste", false},                 // the profile's own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker);
    EXPECT_EQ(shown.markers[c.marker].text, c.text);
    EXPECT_EQ(shown.markers[c.marker].inherited, c.inherited);
  }
  // "All programs": nothing is inherited.
  const MarkerColumn all = BuildMarkerColumn(model, defaults, kTexts, kLayout);
  for (int i : {1, 2, 3}) EXPECT_FALSE(all.markers[i].inherited) << i;
}

}  // namespace
