// Where the key capture dialog opens on the work area of its owner's
// monitor.
#include "ui/key_input_geometry.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(KeyInputRect, CentredOnTheWorkAreaOfTheOwnersMonitorWhereverItLies) {
  const struct {
    const char* monitor;
    PixelRect work;
    PixelRect expected;
  } cases[] = {
      // 1920 / 3.7 = 518 wide, 518 / 2.5 = 207 high.
      {"primary", {0, 0, 1920, 1040}, {701, 416, 1219, 623}},
      {"left of the primary", {-1920, 0, 0, 1040}, {-1219, 416, -701, 623}},
      {"above the primary, taskbar below", {0, -1080, 1920, -40}, {701, -664, 1219, -457}},
      {"small, right of the primary", {1920, 300, 2944, 1068}, {2282, 624, 2582, 744}},  // 300 x 120 at least
      {"left of and above the primary", {-2560, -1440, 0, -40}, {-1626, -878, -935, -602}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.monitor);
    const PixelRect r = KeyInputRect(c.work);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
}

}  // namespace
}  // namespace tessaro
