// Decoding an action's bytes into the input the library sends.
#include <gtest/gtest.h>

#include <vector>

#include "support/vxlib_records.h"
#include "vxlib/action_plan.h"

namespace {

using test_support::Function;
using vxlib::InputBatch;
using vxlib::InputRecord;
using vxlib::MouseOp;
using vxlib::PlanContext;
using vxlib::SystemRequest;

InputRecord Down(uint8_t key) { return InputRecord::KeyDown(key); }
InputRecord Up(uint8_t key) { return InputRecord::KeyUp(key); }
InputRecord Mouse(MouseOp op, int32_t data = 0) { return InputRecord::Mouse(op, data); }

struct PlanCase {
  const char* name;
  VX_FUNCTION_DEF function;
  PlanContext context;
  InputBatch press;
  InputBatch release;
  bool repeats = false;
};

void ExpectPlans(const std::vector<PlanCase>& cases) {
  for (const auto& c : cases) {
    const auto step = vxlib::PressStep(c.function, c.context);
    EXPECT_EQ(step.input, c.press) << c.name;
    EXPECT_EQ(step.request, SystemRequest::kNone) << c.name;
    EXPECT_EQ(vxlib::ReleaseInput(c.function, c.context), c.release) << c.name;
    EXPECT_EQ(vxlib::Repeats(c.function), c.repeats) << c.name;
  }
}

const PlanContext kPlain{};
const PlanContext kSwapped{.buttons_swapped = true};

TEST(ActionPlan, MouseButton) {
  ExpectPlans({
      {"primary held", Function(1, {1, 0, 0}), kPlain, {Mouse(MouseOp::kLeftDown)}, {Mouse(MouseOp::kLeftUp)}},
      {"primary held, buttons swapped",
       Function(1, {1, 0, 0}),
       kSwapped,
       {Mouse(MouseOp::kRightDown)},
       {Mouse(MouseOp::kRightUp)}},
      {"secondary held, buttons swapped",
       Function(1, {1, 1, 0}),
       kSwapped,
       {Mouse(MouseOp::kLeftDown)},
       {Mouse(MouseOp::kLeftUp)}},
      {"middle click", Function(1, {1, 2, 1}), kPlain, {Mouse(MouseOp::kMiddleDown), Mouse(MouseOp::kMiddleUp)}, {}},
      {"double click",
       Function(1, {1, 0, 2}),
       kPlain,
       {Mouse(MouseOp::kLeftDown), Mouse(MouseOp::kLeftUp), Mouse(MouseOp::kLeftDown), Mouse(MouseOp::kLeftUp)},
       {}},
      {"back held", Function(1, {1, 3, 0}), kPlain, {Mouse(MouseOp::kXDown, 1)}, {Mouse(MouseOp::kXUp, 1)}},
      {"forward click", Function(1, {1, 4, 1}), kPlain, {Mouse(MouseOp::kXDown, 2), Mouse(MouseOp::kXUp, 2)}, {}},
      {"unknown button", Function(1, {1, 5, 0}), kPlain, {}, {}},
      {"unknown click kind", Function(1, {1, 0, 3}), kPlain, {}, {}},
  });
}

TEST(ActionPlan, KeyCombination) {
  ExpectPlans({
      {"copy", Function(2, {1, 0x11, 0x43}, {0, 0x43, 0x11}), kPlain, {Down(0x11), Down(0x43)}, {Up(0x43), Up(0x11)}},
      {"previous tab",
       Function(2, {1, 0x11, 0x10, 0x09}, {0, 0x09, 0x11, 0x10}),
       kPlain,
       {Down(0x11), Down(0x10), Down(0x09)},
       {Up(0x09), Up(0x11), Up(0x10)}},
      // Keys the release list forgets go up anyway, last pressed first.
      {"release list names one key",
       Function(2, {1, 0x11, 0x10, 0x53}, {0, 0x53}),
       kPlain,
       {Down(0x11), Down(0x10), Down(0x53)},
       {Up(0x53), Up(0x10), Up(0x11)}},
      {"empty release list", Function(2, {1, 0x12, 0x09}), kPlain, {Down(0x12), Down(0x09)}, {Up(0x09), Up(0x12)}},
      {"release list names a key never pressed",
       Function(2, {1, 0x11}, {0, 0x43}),
       kPlain,
       {Down(0x11)},
       {Up(0x43), Up(0x11)}},
      {"shell key combination",
       Function(20, {1, 0x5B, 0x09}, {0, 0x09, 0x5B}),
       kPlain,
       {Down(0x5B), Down(0x09)},
       {Up(0x09), Up(0x5B)}},
      {"the list ends at the first zero",
       Function(2, {1, 0x11, 0, 0x43}, {0, 0, 0x43}),
       kPlain,
       {Down(0x11)},
       {Up(0x11)}},
  });
}

TEST(ActionPlan, KeyTapAndWheels) {
  ExpectPlans({
      {"play/pause", Function(3, {1, 0xB3, 0}), kPlain, {Down(0xB3), Up(0xB3)}, {}},
      {"volume up repeats", Function(3, {1, 0xAF, 1}), kPlain, {Down(0xAF), Up(0xAF)}, {}, true},
      {"repeat flag 2 counts as 0", Function(3, {1, 0xAF, 2}), kPlain, {Down(0xAF), Up(0xAF)}, {}},
      {"no key", Function(3, {1, 0, 1}), kPlain, {}, {}, true},
      {"scroll up", Function(6, {1, 1, 1}), kPlain, {Mouse(MouseOp::kWheel, 120)}, {}, true},
      {"scroll down once", Function(6, {1, 255, 0}), kPlain, {Mouse(MouseOp::kWheel, -120)}, {}},
      {"scroll, unknown direction", Function(6, {1, 2, 0}), kPlain, {}, {}},
      {"tilt right", Function(7, {1, 1, 1}), kPlain, {Mouse(MouseOp::kHorizontalWheel, 120)}, {}, true},
      {"tilt left", Function(7, {1, 255, 1}), kPlain, {Mouse(MouseOp::kHorizontalWheel, -120)}, {}, true},
  });
}

TEST(ActionPlan, SystemActionsAndGestures) {
  const PlanContext ctrl_held{.ctrl_down = true};
  const PlanContext no_clip{.screen_clip = false};
  ExpectPlans({
      {"show desktop", Function(8, {1, 1}), kPlain, {Down(0x5B), Down('D'), Up('D'), Up(0x5B)}, {}},
      {"screenshot", Function(8, {1, 3}), kPlain, {Down(0x5B), Down(0x10), Down('S'), Up('S'), Up(0x10), Up(0x5B)}, {}},
      {"screenshot before the clip tool", Function(8, {1, 3}), no_clip, {Down(0x2C), Up(0x2C)}, {}},
      {"start menu", Function(8, {1, 5}), kPlain, {Down(0x5B), Up(0x5B)}, {}},
      {"unknown system action", Function(8, {1, 6}), kPlain, {}, {}},
      {"swipe left",
       Function(10, {1, 1, 0}),
       kPlain,
       {Down(0x11), Down(0x5B), Down(0x27), Up(0x27), Up(0x5B), Up(0x11)},
       {}},
      {"zoom in", Function(10, {1, 3, 1}), kPlain, {Down(0x11), Mouse(MouseOp::kWheel, 120), Up(0x11)}, {}, true},
      {"zoom out with Ctrl held", Function(10, {1, 4, 1}), ctrl_held, {Mouse(MouseOp::kWheel, -120)}, {}, true},
      {"disabled", Function(4, {1}), kPlain, {}, {}},
      {"custom key row", Function(254, {1}, {0}), kPlain, {}, {}},
      {"undefined type", Function(5, {1, 0x41}), kPlain, {}, {}},
  });
}

TEST(ActionPlan, RequestsThatAreNoInput) {
  const struct {
    VX_FUNCTION_DEF function;
    SystemRequest request;
  } cases[] = {
      {Function(8, {1, 2}), SystemRequest::kLock},
      {Function(8, {1, 4}), SystemRequest::kDisplayOff},
      {Function(9, {1}, {}, u"calc.exe"), SystemRequest::kOpen},
      {Function(9, {1}), SystemRequest::kNone},
  };
  for (const auto& c : cases) {
    const auto step = vxlib::PressStep(c.function, kPlain);
    EXPECT_TRUE(step.input.empty());
    EXPECT_EQ(step.request, c.request) << int(c.function.press[1]);
  }
}

TEST(ActionPlan, RapidFireLimits) {
  using std::chrono::milliseconds;
  const struct {
    uint8_t b, n, d;
    int clicks;
    milliseconds down;
  } cases[] = {
      {0, 12, 18, 12, milliseconds(18)},  {0, 0, 0, 10, milliseconds(10)},  // 0 counts as 10
      {1, 200, 5, 50, milliseconds(5)},                                     // at most 50 a second
      {2, 10, 100, 10, milliseconds(50)},                                   // down for the whole period: cut to half
      {0, 10, 99, 10, milliseconds(99)},
  };
  for (const auto& c : cases) {
    const auto rapid = vxlib::RapidFireOf(Function(22, {c.b, c.n, c.d}));
    ASSERT_TRUE(rapid) << int(c.n);
    EXPECT_EQ(rapid->button, c.b);
    EXPECT_EQ(rapid->clicks_per_second, c.clicks) << int(c.n);
    EXPECT_EQ(rapid->down_time, c.down) << int(c.n) << " " << int(c.d);
  }
  EXPECT_FALSE(vxlib::RapidFireOf(Function(22, {3, 12, 18})));
  EXPECT_FALSE(vxlib::RapidFireOf(Function(1, {1, 0, 0})));
}

TEST(ActionInput, ExtendedKeysAtTheEdgesOfTheirRanges) {
  const std::pair<uint8_t, bool> cases[] = {
      {0x20, false}, {0x21, true}, {0x28, true},  {0x29, false}, {0x2C, true},  {0x2E, true},  {0x2F, false},
      {0x5A, false}, {0x5B, true}, {0x5D, true},  {0x5E, false}, {0x6E, false}, {0x6F, true},  {0x90, true},
      {0xA2, false}, {0xA3, true}, {0xA4, false}, {0xA5, true},  {0xB7, true},  {0xB8, false}, {0x0D, false},
  };
  for (const auto& [key, extended] : cases) EXPECT_EQ(vxlib::IsExtendedKey(key), extended) << std::hex << int(key);
}

}  // namespace
