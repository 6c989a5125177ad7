// The slowdown hotkey's keys and the hook watchdog's rule.
#include <gtest/gtest.h>

#include <vector>

#include "vxlib/hook_watchdog.h"
#include "vxlib/slowdown.h"

namespace {

TEST(Slowdown, ActiveWhileAllOfTheHotkeysModifiersAreHeld) {
  struct KeyEvent {
    uint8_t key;
    bool down;
  };
  const struct {
    const char* name;
    int hotkey;
    std::vector<KeyEvent> keys;
    bool active;
  } cases[] = {
      {"Ctrl held", vxlib::kModifierCtrl, {{0xA2, true}}, true},
      {"right Ctrl held", vxlib::kModifierCtrl, {{0xA3, true}}, true},
      {"Ctrl let go", vxlib::kModifierCtrl, {{0xA2, true}, {0xA2, false}}, false},
      {"one of both Ctrl keys let go", vxlib::kModifierCtrl, {{0xA2, true}, {0xA3, true}, {0xA2, false}}, true},
      {"Ctrl+Shift, Ctrl only", vxlib::kModifierCtrl | vxlib::kModifierShift, {{0xA2, true}}, false},
      {"Ctrl+Shift", vxlib::kModifierCtrl | vxlib::kModifierShift, {{0xA1, true}, {0xA2, true}}, true},
      {"more keys than the hotkey", vxlib::kModifierAlt, {{0xA5, true}, {0x5C, true}}, true},
      {"Win", vxlib::kModifierWin, {{0x5B, true}}, true},
      {"other keys do not count", vxlib::kModifierCtrl, {{0x11, true}, {0x43, true}}, false},
      {"hotkey off", 0, {{0xA2, true}}, false},
  };
  for (const auto& c : cases) {
    vxlib::ModifierKeys keys;
    for (const auto& k : c.keys) keys.Key(k.key, k.down);
    EXPECT_EQ(vxlib::SlowdownActive(c.hotkey, keys.held()), c.active) << c.name;
  }
}

TEST(Slowdown, SlowedSpeedStaysInTheSystemsRange) {
  const std::pair<int, int> cases[] = {{10, 3}, {20, 6}, {3, 1}, {1, 1}, {0, 1}, {25, 6}};
  for (const auto& [user, slowed] : cases) EXPECT_EQ(vxlib::SlowedSpeed(user), slowed) << user;
}

TEST(HookWatchdog, ReinstallsOnlyWhenThePointerMovedUnseen) {
  using Sample = vxlib::HookWatchdog::Sample;
  const struct {
    const char* name;
    std::vector<Sample> samples;  // last input, hook tick, hook events, x, y
    std::vector<bool> lost;
  } cases[] = {
      {"hook sees the moves", {{1000, 1000, 5, 10, 10}, {2000, 2000, 9, 50, 60}}, {false, false}},
      {"pointer moved, input after the hook's last event, hook saw nothing",
       {{1000, 1000, 5, 10, 10}, {2000, 1000, 5, 50, 60}},
       {false, true}},
      {"typing only: input, but the pointer stayed",
       {{1000, 1000, 5, 10, 10}, {2000, 1000, 5, 10, 10}},
       {false, false}},
      {"a program moved the pointer: no input", {{1000, 1000, 5, 10, 10}, {1000, 1000, 5, 50, 60}}, {false, false}},
      {"the first check has nothing to compare with", {{2000, 1000, 5, 50, 60}}, {false}},
      {"after a reinstall the next check starts afresh",
       {{1000, 1000, 5, 10, 10}, {2000, 1000, 5, 50, 60}, {3000, 1000, 5, 90, 90}, {4000, 1000, 5, 95, 95}},
       {false, true, false, true}},
      {"tick wrap", {{0xFFFFFF00u, 0xFFFFFF00u, 1, 0, 0}, {0x100, 0xFFFFFF00u, 1, 5, 5}}, {false, true}},
  };
  for (const auto& c : cases) {
    vxlib::HookWatchdog watchdog;
    for (size_t i = 0; i < c.samples.size(); ++i) {
      EXPECT_EQ(watchdog.Check(c.samples[i]), c.lost[i]) << c.name << " check " << i;
    }
  }
}

TEST(KeyboardWatchdog, ReinstallsOnlyWhenTheSystemsKeysStayAheadOfTheHook) {
  using Sample = vxlib::KeyboardWatchdog::Sample;
  constexpr uint8_t kCtrl = 1, kShift = 4;
  const struct {
    const char* name;
    std::vector<Sample> samples;  // system keys, known keys, hook events
    std::vector<bool> lost;
  } cases[] = {
      {"in step", {{kCtrl, kCtrl, 3}, {0, 0, 4}, {kShift, kShift, 5}}, {false, false, false}},
      {"a key between its event and the hook: once", {{kCtrl, 0, 3}, {kCtrl, kCtrl, 4}}, {false, false}},
      {"Ctrl let go unseen, the pointer stays slow", {{0, kCtrl, 3}, {0, kCtrl, 3}}, {false, true}},
      {"a key pressed unseen", {{0, 0, 3}, {kShift, 0, 3}, {kShift, 0, 3}}, {false, false, true}},
      {"the hook saw keys between the two checks", {{kCtrl, 0, 3}, {kCtrl, 0, 7}}, {false, false}},
      {"another difference on the second check still counts", {{kCtrl, 0, 3}, {kShift, 0, 3}}, {false, true}},
      {"in step again between two differences",
       {{kCtrl, 0, 3}, {kCtrl, kCtrl, 3}, {kShift, 0, 3}},
       {false, false, false}},
      {"after a reinstall the next check starts afresh",
       {{kCtrl, 0, 3}, {kCtrl, 0, 3}, {kCtrl, 0, 3}, {kCtrl, 0, 3}},
       {false, true, false, true}},
  };
  for (const auto& c : cases) {
    vxlib::KeyboardWatchdog watchdog;
    for (size_t i = 0; i < c.samples.size(); ++i) {
      EXPECT_EQ(watchdog.Check(c.samples[i]), c.lost[i]) << c.name << " check " << i;
    }
  }
}

}  // namespace
