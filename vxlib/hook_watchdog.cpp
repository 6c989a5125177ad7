#include "vxlib/hook_watchdog.h"

namespace vxlib {

bool HookWatchdog::Check(const Sample& now) {
  const bool lost = previous_ && now.hook_events == previous_->hook_events &&
                    (now.cursor_x != previous_->cursor_x || now.cursor_y != previous_->cursor_y) &&
                    static_cast<int32_t>(now.last_input_tick - now.hook_tick) > 0;
  if (lost) {
    previous_.reset();
  } else {
    previous_ = now;
  }
  return lost;
}

bool KeyboardWatchdog::Check(const Sample& now) {
  if (now.system_keys == now.known_keys) {
    differed_.reset();
    return false;
  }
  const bool lost = differed_ && differed_->hook_events == now.hook_events;
  if (lost) {
    differed_.reset();
  } else {
    differed_ = now;
  }
  return lost;
}

}  // namespace vxlib
