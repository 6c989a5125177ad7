// Actions over time: holds, repeats, rapid fire and the tilt rule.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/recording_action_output.h"
#include "support/vxlib_records.h"
#include "vxlib/action_runner.h"

namespace {

using std::chrono::milliseconds;
using test_support::Function;
using test_support::RecordingOutput;
using vxlib::ActionRunner;
using vxlib::Button;
using vxlib::InputBatch;
using vxlib::InputRecord;
using vxlib::MouseOp;

const ActionRunner::TimePoint kT0{};
ActionRunner::TimePoint At(int ms) { return kT0 + milliseconds(ms); }

// What happens to a runner, at ms after the start.
struct Act {
  enum Kind { kDown, kUp, kNotch, kAdvance, kReleaseAll } kind;
  int ms;
  Button button = Button::kBack;
};

struct TimedCase {
  const char* name;
  VX_FUNCTION_DEF function;
  std::vector<Act> acts;
  // The batches sent after each act, in order.
  std::vector<std::vector<InputBatch>> sent_after;
};

void RunTimed(const TimedCase& c) {
  RecordingOutput out;
  ActionRunner runner(out);
  ASSERT_EQ(c.acts.size(), c.sent_after.size()) << c.name;
  for (size_t i = 0; i < c.acts.size(); ++i) {
    const Act& a = c.acts[i];
    out.sent.clear();
    switch (a.kind) {
      case Act::kDown:
        runner.Down(a.button, c.function, At(a.ms));
        break;
      case Act::kUp:
        runner.Up(a.button);
        break;
      case Act::kNotch:
        runner.Notch(a.button, c.function, At(a.ms));
        break;
      case Act::kAdvance:
        runner.Advance(At(a.ms));
        break;
      case Act::kReleaseAll:
        runner.ReleaseAll();
        break;
    }
    EXPECT_EQ(out.sent, c.sent_after[i]) << c.name << " act " << i << " at " << a.ms << " ms";
  }
}

const InputBatch kWheelUp{InputRecord::Mouse(MouseOp::kWheel, 120)};
const InputBatch kTiltRight{InputRecord::Mouse(MouseOp::kHorizontalWheel, 120)};
const InputBatch kCtrlCDown{InputRecord::KeyDown(0x11), InputRecord::KeyDown(0x43)};
const InputBatch kCtrlCUp{InputRecord::KeyUp(0x43), InputRecord::KeyUp(0x11)};
const InputBatch kLeftDown{InputRecord::Mouse(MouseOp::kLeftDown)};
const InputBatch kLeftUp{InputRecord::Mouse(MouseOp::kLeftUp)};

TEST(ActionRunner, HeldButtons) {
  const VX_FUNCTION_DEF copy = Function(2, {1, 0x11, 0x43}, {0, 0x43, 0x11});
  const VX_FUNCTION_DEF scroll = Function(6, {1, 1, 1});
  const VX_FUNCTION_DEF scroll_once = Function(6, {1, 1, 0});
  for (const TimedCase& c : std::vector<TimedCase>{
           {"key combination held until the up event",
            copy,
            {{Act::kDown, 0}, {Act::kAdvance, 5000}, {Act::kUp, 5000}, {Act::kUp, 5001}},
            {{kCtrlCDown}, {}, {kCtrlCUp}, {}}},
           {"repeat: 400 ms after the down event, then every 80 ms",
            scroll,
            {{Act::kDown, 0},
             {Act::kAdvance, 399},
             {Act::kAdvance, 400},
             {Act::kAdvance, 479},
             {Act::kAdvance, 480},
             {Act::kUp, 500},
             {Act::kAdvance, 560}},
            {{kWheelUp}, {}, {kWheelUp}, {}, {kWheelUp}, {}, {}}},
           {"a late worker does not burst the missed repeats",
            scroll,
            {{Act::kDown, 0}, {Act::kAdvance, 1000}, {Act::kAdvance, 1039}, {Act::kAdvance, 1040}},
            {{kWheelUp}, {kWheelUp}, {}, {kWheelUp}}},
           {"no repeat without the flag", scroll_once, {{Act::kDown, 0}, {Act::kAdvance, 400}}, {{kWheelUp}, {}}},
           {"a down event whose up was lost releases the old hold first",
            copy,
            {{Act::kDown, 0}, {Act::kDown, 10}, {Act::kUp, 20}},
            {{kCtrlCDown}, {kCtrlCUp, kCtrlCDown}, {kCtrlCUp}}},
           {"release all lets every held key up",
            copy,
            {{Act::kDown, 0, Button::kBack}, {Act::kDown, 1, Button::kForward}, {Act::kReleaseAll, 2}, {Act::kUp, 3}},
            {{kCtrlCDown}, {kCtrlCDown}, {kCtrlCUp, kCtrlCUp}, {}}},
       }) {
    RunTimed(c);
  }
}

TEST(ActionRunner, TiltRule) {
  // Steps of a held tilt come closer than 300 ms: one press, one release
  // 300 ms after the last step.
  const VX_FUNCTION_DEF copy = Function(2, {1, 0x11, 0x43}, {0, 0x43, 0x11});
  const VX_FUNCTION_DEF tilt_repeat = Function(7, {1, 1, 1});
  for (const TimedCase& c : std::vector<TimedCase>{
           {"one step is a press and, 300 ms later, a release",
            copy,
            {{Act::kNotch, 0, Button::kTiltRight}, {Act::kAdvance, 299}, {Act::kAdvance, 300}},
            {{kCtrlCDown}, {}, {kCtrlCUp}}},
           {"steps of a held tilt extend the hold",
            copy,
            {{Act::kNotch, 0, Button::kTiltRight},
             {Act::kNotch, 100, Button::kTiltRight},
             {Act::kAdvance, 350},
             {Act::kNotch, 350, Button::kTiltRight},
             {Act::kAdvance, 649},
             {Act::kAdvance, 650}},
            {{kCtrlCDown}, {}, {}, {}, {}, {kCtrlCUp}}},
           {"a step the other way ends the hold at once",
            copy,
            {{Act::kNotch, 0, Button::kTiltRight},
             {Act::kNotch, 50, Button::kTiltLeft},
             {Act::kAdvance, 349},
             {Act::kAdvance, 350}},
            {{kCtrlCDown}, {kCtrlCUp, kCtrlCDown}, {}, {kCtrlCUp}}},
           {"a held tilt repeats a repeating action",
            tilt_repeat,
            {{Act::kNotch, 0, Button::kTiltRight},
             {Act::kNotch, 200, Button::kTiltRight},
             {Act::kAdvance, 400},
             {Act::kNotch, 450, Button::kTiltRight},
             {Act::kAdvance, 480},
             {Act::kAdvance, 750}},
            {{kTiltRight}, {}, {kTiltRight}, {}, {kTiltRight}, {}}},
           {"a single step never starts the repeat",
            tilt_repeat,
            {{Act::kNotch, 0, Button::kTiltRight}, {Act::kAdvance, 300}, {Act::kAdvance, 400}},
            {{kTiltRight}, {}, {}}},
       }) {
    RunTimed(c);
  }
}

TEST(ActionRunner, RapidFire) {
  // 12 clicks a second, 18 ms down: click k starts at floor(k * 1000 / 12).
  const VX_FUNCTION_DEF rapid = Function(22, {0, 12, 18});
  for (const TimedCase& c : std::vector<TimedCase>{
           {"clicks timed from the down event",
            rapid,
            {{Act::kDown, 0},
             {Act::kAdvance, 17},
             {Act::kAdvance, 18},
             {Act::kAdvance, 82},
             {Act::kAdvance, 83},
             {Act::kAdvance, 101},
             {Act::kAdvance, 166},
             {Act::kUp, 170},
             {Act::kAdvance, 250}},
            {{kLeftDown}, {}, {kLeftUp}, {}, {kLeftDown}, {kLeftUp}, {kLeftDown}, {kLeftUp}, {}}},
           {"a late worker skips the clicks it missed",
            rapid,
            {{Act::kDown, 0}, {Act::kAdvance, 300}, {Act::kAdvance, 317}, {Act::kAdvance, 318}, {Act::kAdvance, 333}},
            {{kLeftDown}, {kLeftUp, kLeftDown}, {}, {kLeftUp}, {kLeftDown}}},
           {"release all ends a click that is down",
            rapid,
            {{Act::kDown, 0}, {Act::kReleaseAll, 5}},
            {{kLeftDown}, {kLeftUp}}},
       }) {
    RunTimed(c);
  }
}

TEST(ActionRunner, DeadlinesFollowTheHolds) {
  RecordingOutput out;
  ActionRunner runner(out);
  EXPECT_EQ(runner.NextDeadline(), std::nullopt);
  runner.Down(Button::kBack, Function(6, {1, 1, 1}), At(0));
  EXPECT_EQ(runner.NextDeadline(), At(400));
  runner.Notch(Button::kTiltLeft, Function(2, {1, 0x11}), At(100));
  EXPECT_EQ(runner.NextDeadline(), At(400));
  runner.Down(Button::kMiddle, Function(22, {0, 10, 10}), At(150));
  EXPECT_EQ(runner.NextDeadline(), At(160));
  runner.ReleaseAll();
  EXPECT_EQ(runner.NextDeadline(), std::nullopt);
}

TEST(ActionRunner, SystemRequestsGoToTheOutput) {
  RecordingOutput out;
  ActionRunner runner(out);
  runner.Down(Button::kBack, Function(9, {1}, {}, u"calc.exe"), At(0));
  runner.Up(Button::kBack);
  runner.Down(Button::kForward, Function(8, {1, 2}), At(1));
  EXPECT_EQ(out.requests, (std::vector{vxlib::SystemRequest::kOpen, vxlib::SystemRequest::kLock}));
  EXPECT_TRUE(out.sent.empty());
}

}  // namespace
