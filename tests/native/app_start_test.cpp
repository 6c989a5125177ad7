// What a start of the program decides before any window exists: the
// command line's requests and the main window's size on a work area; and
// the size a change of the display scale gives it later.
#include <gtest/gtest.h>

#include <string>

#include "shell/command_line.h"
#include "shell/window_geometry.h"

namespace tessaro {
namespace {

TEST(CommandLine, SwitchesCountAnywhereButTheFirstCharacterAndIgnoreCase) {
  const struct {
    std::u16string line;
    bool hidden;
    bool close;
  } cases[] = {
      {u"\"C:\\Tessaro\\Tessaro.exe\"", false, false},
      {u"\"C:\\Tessaro\\Tessaro.exe\" /hide", true, false},
      {u"Tessaro.exe /HIDE", true, false},
      {u"Tessaro.exe /Hide", true, false},
      {u"Tessaro.exe /close", false, true},
      {u"Tessaro.exe /CLOSE /hide", true, true},
      {u"Tessaro.exe /hideaway", true, false},  // a plain text search
      {u"/hide", false, false},                 // the program path's place
      {u"/close", false, false},
      {u"Tessaro.exe -hide hide /clos", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.line.begin(), c.line.end()));
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.start_hidden, c.hidden);
    EXPECT_EQ(request.close_running, c.close);
  }
}

TEST(MainWindowGeometry, SizeAndScaleFollowTheWorkArea) {
  const struct {
    WorkArea work;
    MainWindowGeometry expected;
  } cases[] = {
      // 60 % of the width at 3:2.
      {{0, 0, 1920, 1040}, {384, 136, 1152, 768, 0.48f}},
      // Below 800 wide: the smallest window.
      {{0, 0, 1280, 680}, {240, 20, 800, 640, 800 / 2400.0f}},
      // Above 2400 wide: the largest, even when it overflows the height.
      {{0, 0, 4096, 2160}, {848, 80, 2400, 2000, 1.0f}},
      // A low work area limits the height to 40 pixels less than it.
      {{0, 0, 2560, 1000}, {512, 20, 1536, 960, 0.64f}},
      // Exactly 2400 wide keeps the 3:2 height.
      {{0, 0, 4000, 2000}, {800, 200, 2400, 1600, 1.0f}},
      // On a monitor right of the primary one the window stays on it.
      {{1920, 40, 1920, 1040}, {2304, 176, 1152, 768, 0.48f}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.work.left << "," << c.work.top << " " << c.work.width << "x" << c.work.height);
    const MainWindowGeometry g = MainWindowGeometryFor(c.work);
    EXPECT_EQ(g.x, c.expected.x);
    EXPECT_EQ(g.y, c.expected.y);
    EXPECT_EQ(g.width, c.expected.width);
    EXPECT_EQ(g.height, c.expected.height);
    EXPECT_FLOAT_EQ(g.ui_scale, c.expected.ui_scale);
  }
}

TEST(MainWindowGeometry, AChangeOfTheDisplayScaleTakesTheSuggestedRectangleAndScalesTheFont) {
  const struct {
    const char* change;
    PixelRect suggested;
    float font_size;
    int old_dpi, new_dpi;
    MainWindowGeometry expected;
    float expected_font_size;
  } cases[] = {
      // 1152 x 768 at 100 % to a 125 % monitor: as a start on a work area
      // 2400 wide (60 % of it, and its font of 24 pixels).
      {"100 to 125 %", {240, 60, 1680, 1020}, 19.2f, 96, 120, {240, 60, 1440, 960, 0.6f}, 24.0f},
      {"125 to 100 %", {384, 136, 1536, 904}, 24.0f, 120, 96, {384, 136, 1152, 768, 0.48f}, 19.2f},
      // To a 200 % monitor left of the primary one.
      {"100 to 200 %, left", {-3000, 100, -696, 1636}, 19.2f, 96, 192, {-3000, 100, 2304, 1536, 0.96f}, 38.4f},
      // Taller than a start would make it: the suggestion wins.
      {"100 to 300 %", {0, 0, 3456, 2304}, 19.2f, 96, 288, {0, 0, 3456, 2304, 1.44f}, 57.6f},
      // A DPI that is not known keeps the font.
      {"from an unknown DPI", {10, 20, 1210, 820}, 19.2f, 0, 120, {10, 20, 1200, 800, 0.5f}, 19.2f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    const RescaledWindow r = RescaleForDpi(c.suggested, c.font_size, c.old_dpi, c.new_dpi);
    EXPECT_EQ(r.window.x, c.expected.x);
    EXPECT_EQ(r.window.y, c.expected.y);
    EXPECT_EQ(r.window.width, c.expected.width);
    EXPECT_EQ(r.window.height, c.expected.height);
    EXPECT_FLOAT_EQ(r.window.ui_scale, c.expected.ui_scale);
    EXPECT_FLOAT_EQ(r.font_size, c.expected_font_size);
  }
}

}  // namespace
}  // namespace tessaro
