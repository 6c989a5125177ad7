#include "ui/item_list_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/utf.h"

namespace tessaro {
namespace {

_QnItemListDB Row(int32_t index, int32_t parent, int32_t kind = kRowItem, int32_t type = 0, int32_t mask = 0) {
  _QnItemListDB row{};
  row.index = index;
  row.parent = parent;
  row.kind = kind;
  row.function_type = type;
  row.disable_mask = mask;
  CopyToField(u"row " + Utf8ToUtf16(std::to_string(index)), row.name, 128);
  return row;
}

std::vector<int> Positions(const RowArray& rows) {
  std::vector<int> out;
  for (const auto& r : rows) out.push_back(r.position);
  return out;
}

TEST(ItemListRows, FiltersByFolderTypeAndMaskAndRecordsPositions) {
  const RowArray all = {
      Row(1, 0),                    // 0
      Row(2, 0, kRowFolder),        // 1
      Row(3, 2),                    // 2: in folder 2
      Row(4, 0, kRowItem, 7),       // 3: type 7
      Row(5, 0, kRowItem, 0, 0x4),  // 4: hidden for marker 2
      Row(6, 0, kRowSeparator),     // 5
      Row(7, 2, kRowItem, 7, 0x4),  // 6: in folder 2, type 7, mask 0x4
      Row(8, 0, kRowItem, 0, 0x6),  // 7: hidden for markers 1 and 2
  };
  const struct {
    const char* what;
    int32_t parent, type, mask;
    std::vector<int> positions;
  } cases[] = {
      {"no filter", 0, 0, 0, {0, 1, 3, 4, 5, 7}},
      {"excluded type", 0, 7, 0, {0, 1, 4, 5, 7}},
      {"type 0 and negative types exclude nothing", 0, -1, 0, {0, 1, 3, 4, 5, 7}},
      {"mask meets row masks", 0, 0, 0x4, {0, 1, 3, 5}},
      {"mask meets one row mask only", 0, 0, 0x2, {0, 1, 3, 4, 5}},
      {"rows with mask 0 ignore the mask", 0, 0, -1, {0, 1, 3, 5}},
      {"folder", 2, 0, 0, {2, 6}},
      {"folder with all filters", 2, 7, 0x4, {2}},
      {"unknown folder shows nothing", 99, 0, 0, {}},
  };
  for (const auto& c : cases) {
    const RowArray visible = VisibleRows(all, c.parent, c.type, c.mask);
    EXPECT_EQ(Positions(visible), c.positions) << c.what;
    for (const auto& row : visible) EXPECT_EQ(row.index, all[row.position].index) << c.what;
  }
}

TEST(ItemListRows, HeightsFollowKindsAndScale) {
  const ItemListMetrics m = MetricsFor(0.5f, 0);
  EXPECT_EQ(m.margin, 22);
  EXPECT_EQ(m.row_height, 48);
  EXPECT_EQ(m.separator_height, 12);
  EXPECT_EQ(m.width, 300);
  EXPECT_EQ(MetricsFor(0.5f, 420).width, 420);
  const RowArray rows = {Row(1, 0), Row(2, 0, kRowSeparator), Row(3, 0, kRowFolder)};
  const std::vector<int> heights = RowHeights(rows, m);
  EXPECT_EQ(heights, (std::vector<int>{48, 12, 48}));
  EXPECT_EQ(ListHeight(heights, m), 12 + 108);
  EXPECT_EQ(ListHeight({}, m), 12 + 48);  // room for "No item"
  // A scale too small for a pixel still gives rows a height to divide by.
  EXPECT_GE(MetricsFor(0.001f, 0).row_height, 1);
}

TEST(ItemListPlacement, FitsIntoTheWorkArea) {
  const ItemListMetrics m = MetricsFor(0.5f, 0);  // rows 48, frame 12
  const ScreenRect work{0, 0, 1920, 1040};
  const struct {
    const char* what;
    int x, y, height;
    ListPlacement expected;
  } cases[] = {
      {"fits", 100, 200, 300, {100, 200, 300}},
      {"passes the bottom: moves up", 100, 900, 300, {100, 740, 300}},
      {"passes the right edge: moves left", 1800, 200, 300, {1621, 200, 300}},
      {"ends exactly at the bottom", 100, 740, 300, {100, 740, 300}},
      // 1029 % 48 = 21: the list keeps 21 whole rows.
      {"taller than the work area: whole rows", 100, 500, 12 + 30 * 48, {100, 20, 12 + 21 * 48}},
  };
  for (const auto& c : cases) {
    const ListPlacement p = FitToWorkArea(c.x, c.y, 300, c.height, work, m);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.y, c.expected.y) << c.what;
    EXPECT_EQ(p.height, c.expected.height) << c.what;
  }
}

TEST(ItemListPlacement, CutListAlwaysHoldsWholeRowsAndEndsAtTheBottom) {
  for (float scale : {0.3f, 0.48f, 0.8f, 1.2f}) {
    const ItemListMetrics m = MetricsFor(scale, 0);
    for (int work_height : {480, 767, 1040, 1417}) {
      const ScreenRect work{0, 30, 1920, 30 + work_height};
      const ListPlacement p = FitToWorkArea(0, 60, m.width, m.frame + 200 * m.row_height, work, m);
      EXPECT_EQ((p.height - m.frame) % m.row_height, 0) << scale << " " << work_height;
      EXPECT_EQ(p.y + p.height, work.bottom) << scale << " " << work_height;
      EXPECT_LE(p.height, work_height + 1) << scale << " " << work_height;
      EXPECT_GT(p.height + m.row_height, work_height) << scale << " " << work_height;
    }
  }
}

TEST(ItemListPlacement, ChildListsFlipAtTheMonitorEdges) {
  const ScreenRect monitor{0, 0, 1920, 1080};
  const int w = 400;
  const struct {
    const char* what;
    ScreenRect parent;
    bool parent_is_child;
    OpeningSide side;
    ChildPlacement expected;
  } cases[] = {
      {"room on the right", {100, 0, 500, 300}, false, OpeningSide::kRight, {489, OpeningSide::kRight}},
      {"exactly fits on the right", {100, 0, 1531, 300}, false, OpeningSide::kRight, {1520, OpeningSide::kRight}},
      {"right edge too near: left", {1200, 0, 1600, 300}, false, OpeningSide::kRight, {811, OpeningSide::kLeft}},
      {"a left child's child stays left", {811, 0, 1211, 300}, true, OpeningSide::kLeft, {422, OpeningSide::kLeft}},
      {"until the left edge: right again", {300, 0, 700, 300}, true, OpeningSide::kLeft, {689, OpeningSide::kRight}},
  };
  for (const auto& c : cases) {
    const ChildPlacement p = PlaceChild(c.parent, c.parent_is_child, c.side, w, monitor);
    EXPECT_EQ(p.x, c.expected.x) << c.what;
    EXPECT_EQ(p.side, c.expected.side) << c.what;
  }
}

TEST(ItemListPlacement, ChildOpensLevelWithItsFolder) {
  const std::vector<int> heights = {48, 12, 48, 48, 48};
  EXPECT_EQ(ChildTop(200, heights, 0, 0), 204);
  EXPECT_EQ(ChildTop(200, heights, 0, 3), 204 + 108);
  EXPECT_EQ(ChildTop(200, heights, 2, 3), 204 + 48);  // scrolled by two rows
}

TEST(ItemListPointer, HitRowFollowsTheStackFromTheFirstRow) {
  const std::vector<int> heights = {48, 12, 48, 48};
  const int cw = 300, ch = 4 + 48 + 12 + 48 + 20;  // the last row is cut
  const struct {
    int first, x, y, row;
  } cases[] = {
      {0, 10, 3, -1}, {0, 10, 4, 0},   {0, 10, 51, 0},     {0, 10, 52, 1},
      {0, 10, 64, 2}, {0, 10, 112, 3}, {0, 10, ch - 5, 3}, {0, 10, ch - 4, -1},  // cut at the bottom
      {0, 3, 30, -1}, {0, 4, 30, 0},   {0, cw - 9, 30, 0}, {0, cw - 8, 30, -1},
      {2, 10, 4, 2},  {2, 10, 52, 3},  {2, 10, 100, -1},  // scrolled
  };
  for (const auto& c : cases)
    EXPECT_EQ(HitRow(heights, c.first, cw, ch, c.x, c.y), c.row) << c.first << "," << c.x << "," << c.y;
  EXPECT_EQ(HitRow({}, 0, cw, ch, 10, 10), -1);
}

TEST(ItemListFade, StepsOfNinetyUpToFull) {
  std::vector<int> seen;
  FadeStep step{FadeStartOpacity(0), true};
  seen.push_back(step.opacity);
  while (step.again) {
    step = NextFadeStep(step.opacity, true);
    seen.push_back(step.opacity);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 90, 180, 255}));

  EXPECT_EQ(FadeStartOpacity(7), 255);  // a context value shows it at once
  const FadeStep full = NextFadeStep(255, true);
  EXPECT_EQ(full.opacity, 255);
  EXPECT_FALSE(full.again);
  const FadeStep unlayered = NextFadeStep(0, false);
  EXPECT_EQ(unlayered.opacity, 255);
  EXPECT_FALSE(unlayered.again);
}

// Runs the scrolling thread's rounds until nothing changes; returns the
// offsets it passed through.
std::vector<int> Settle(ScrollState& s, const std::vector<int>& heights) {
  std::vector<int> offsets;
  for (int round = 0; round < 1000 && StepScroll(s, heights); ++round) offsets.push_back(s.offset);
  return offsets;
}

TEST(ItemListScroll, WheelStopsWhenTheLastRowShows) {
  const ItemListMetrics m = MetricsFor(0.5f, 0);
  const std::vector<int> heights(10, 48);
  const int client_height = m.frame + 4 * 48;  // four rows show
  ScrollState s;
  for (int i = 0; i < 20; ++i) WheelScroll(s, true, heights, m, client_height);
  EXPECT_EQ(s.target, 6);
  for (int i = 0; i < 4; ++i) WheelScroll(s, false, heights, m, client_height);
  EXPECT_EQ(s.target, 2);
  for (int i = 0; i < 20; ++i) WheelScroll(s, false, heights, m, client_height);
  EXPECT_EQ(s.target, 0);

  ScrollState fits;
  WheelScroll(fits, true, heights, m, m.frame + 10 * 48);
  EXPECT_EQ(fits.target, 0);
}

TEST(ItemListScroll, OneNotchGlidesBackToRestInStepsOfFourThenTwo) {
  const std::vector<int> heights = {48, 48, 48};
  ScrollState s;
  s.target = 1;
  EXPECT_EQ(Settle(s, heights), (std::vector<int>{48, 44, 40, 36, 32, 28, 24, 20, 16, 12, 8, 4, 2, 0}));
  EXPECT_EQ(s.first, 1);

  s.target = 0;
  const std::vector<int> up = Settle(s, heights);
  EXPECT_EQ(up.front(), -48);
  EXPECT_EQ(up.back(), 0);
  EXPECT_EQ(s.first, 0);
}

TEST(ItemListScroll, GlideTakesTheHeightOfTheRowThatMoved) {
  const std::vector<int> heights = {48, 12, 48};
  ScrollState down{0, 1, 0};
  StepScroll(down, heights);
  EXPECT_EQ(down.offset, 48);  // row 0 went out at the top
  ScrollState up{2, 1, 0};
  StepScroll(up, heights);
  EXPECT_EQ(up.offset, -12);  // row 1 came in at the top
}

TEST(ItemListScroll, OddOffsetsSettleAtZero) {
  for (int row_height : {45, 47, 77, 1, 3}) {
    const std::vector<int> heights(4, row_height);
    ScrollState s{0, 1, 0};
    const std::vector<int> offsets = Settle(s, heights);
    ASSERT_FALSE(offsets.empty());
    EXPECT_EQ(offsets.back(), 0) << row_height;
    EXPECT_LT(offsets.size(), 100u) << row_height;
  }
}

TEST(ItemListScroll, ReversingMidGlideTurnsTheOffsetRound) {
  const std::vector<int> heights(6, 48);
  ScrollState s{0, 1, 0};
  StepScroll(s, heights);
  StepScroll(s, heights);  // gliding down, offset 44
  s.target = 0;
  StepScroll(s, heights);
  EXPECT_EQ(s.first, 0);
  EXPECT_EQ(s.offset, -44);
  s.target = 2;
  StepScroll(s, heights);
  EXPECT_EQ(s.first, 1);
  EXPECT_EQ(s.offset, 44);
  StepScroll(s, heights);
  EXPECT_EQ(s.first, 2);
  EXPECT_EQ(s.offset, 44);  // already gliding: no new height
  Settle(s, heights);
  EXPECT_EQ(s.first, 2);
  EXPECT_EQ(s.offset, 0);
}

TEST(ItemListPaint, DrawsFromTheRowAboveTheFirstUntilPastTheBottom) {
  const std::vector<int> heights = {48, 12, 48, 48, 48};
  const auto rows = [](const std::vector<RowSlot>& slots) {
    std::vector<std::pair<int, int>> out;
    for (const auto& s : slots) out.push_back({s.row, s.y});
    return out;
  };
  using V = std::vector<std::pair<int, int>>;
  EXPECT_EQ(rows(RowsToPaint(heights, {0, 0, 0}, 1000.0f)), (V{{0, 0}, {1, 48}, {2, 60}, {3, 108}, {4, 156}}));
  EXPECT_EQ(rows(RowsToPaint(heights, {0, 0, 0}, 70.0f)), (V{{0, 0}, {1, 48}, {2, 60}}));
  EXPECT_EQ(rows(RowsToPaint(heights, {2, 2, 10}, 100.0f)), (V{{1, -2}, {2, 10}, {3, 58}}));
  EXPECT_TRUE(RowsToPaint({}, {0, 0, 0}, 100.0f).empty());
}

}  // namespace
}  // namespace tessaro
