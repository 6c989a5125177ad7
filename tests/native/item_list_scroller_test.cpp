#include "ui/item_list_scroller.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tessaro {
namespace {

using namespace std::chrono_literals;

// Waits for the scroller to come to rest, generously: a loaded machine
// may run its 10 ms rounds far apart.
bool WaitForRest(const ItemListScroller& scroller, int first) {
  for (int i = 0; i < 3000; ++i) {
    const ScrollState s = scroller.State();
    if (s.first == first && s.offset == 0) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

TEST(ItemListScroller, GlidesToTheWheelTargetAndReportsEachRound) {
  std::atomic<int> rounds{0};
  ItemListScroller scroller([&] { ++rounds; });
  const ItemListMetrics m = MetricsFor(0.5f, 0);
  scroller.SetHeights(std::vector<int>(10, 48));
  scroller.Start();
  scroller.Wheel(true, m, m.frame + 4 * 48);
  scroller.Wheel(true, m, m.frame + 4 * 48);
  ASSERT_TRUE(WaitForRest(scroller, 2));
  EXPECT_EQ(scroller.State().target, 2);
  // Two advances, then 48 down to 0: at least a dozen repaints.
  EXPECT_GE(rounds.load(), 12);

  const int before = rounds.load();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(rounds.load(), before);  // at rest nothing repaints
}

TEST(ItemListScroller, StopsAndStartsAgain) {
  std::atomic<int> rounds{0};
  ItemListScroller scroller([&] { ++rounds; });
  const ItemListMetrics m = MetricsFor(0.5f, 0);
  scroller.SetHeights(std::vector<int>(10, 48));
  scroller.Start();
  scroller.Start();  // already running
  scroller.Stop();
  scroller.Wheel(true, m, m.frame + 4 * 48);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(rounds.load(), 0);  // stopped: nothing moves
  scroller.Start();
  EXPECT_TRUE(WaitForRest(scroller, 1));
}

TEST(ItemListScroller, NewRowsStartAtTheTop) {
  ItemListScroller scroller([] {});
  const ItemListMetrics m = MetricsFor(0.5f, 0);
  scroller.SetHeights(std::vector<int>(10, 48));
  scroller.Wheel(true, m, m.frame + 4 * 48);
  scroller.SetHeights(std::vector<int>(3, 48));
  const ScrollState s = scroller.State();
  EXPECT_EQ(s.first, 0);
  EXPECT_EQ(s.target, 0);
  EXPECT_EQ(s.offset, 0);
}

}  // namespace
}  // namespace tessaro
