// Watchdogs of the input hooks, which the system removes silently (for
// instance after a hook was slow too often).
//
// HookWatchdog tells when the system has removed the mouse hook: the
// pointer moved and the system saw input after the hook's last event, yet
// the hook saw nothing since the last check. Typing alone moves no
// pointer, and a program that moves the pointer makes no input, so neither
// counts.
#pragma once

#include <cstdint>
#include <optional>

namespace vxlib {

class HookWatchdog {
 public:
  struct Sample {
    uint32_t last_input_tick;  // the system's last input, in ms ticks
    uint32_t hook_tick;        // the hook's last event, same clock
    uint32_t hook_events;      // events the hook has seen, wrapping
    int32_t cursor_x;
    int32_t cursor_y;
  };

  // True when the hook is to be reinstalled; the next check then starts
  // afresh.
  bool Check(const Sample& now);

 private:
  std::optional<Sample> previous_;
};

// Tells when the system has removed the keyboard hook: the modifier keys
// the system holds differ from those the hook knows to be held (what it saw
// of the user's keys, and the library's own), on two checks in a row with
// no key event seen between them. A single difference is the moment
// between a key's event and the hook's handling of it.
class KeyboardWatchdog {
 public:
  struct Sample {
    uint8_t system_keys;   // bit i: ModifierKeys::kKeys[i] is down
    uint8_t known_keys;    // the same bits as the hook knows them
    uint32_t hook_events;  // key events the hook has seen, wrapping
  };

  // True when the hook is to be installed afresh; the next check then
  // starts afresh.
  bool Check(const Sample& now);

 private:
  std::optional<Sample> differed_;  // the previous check, when it found a difference
};

}  // namespace vxlib
