// What a start of the program decides before any window exists: the
// command line's requests and the main window's size on a work area.
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

}  // namespace
}  // namespace tessaro
