// Tells when the system has removed the mouse hook (it does so silently,
// for instance after the hook was slow too often): the pointer moved and
// the system saw input after the hook's last event, yet the hook saw
// nothing since the last check. Typing alone moves no pointer, and a
// program that moves the pointer makes no input, so neither counts.
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

}  // namespace vxlib
