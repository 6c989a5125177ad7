// An event on its way to the program. It owns the data record that the
// delivered VX_CALLBACK_EVENT points to, so the event can wait in a queue
// and be handed over on another thread.
#pragma once

#include <cstdint>

#include "vxlib.h"

namespace vxlib {

class PendingEvent {
 public:
  // A kind without data (0, 2, 4, 6, 8).
  static PendingEvent Plain(int32_t kind);
  static PendingEvent WindowActivated(uint64_t window);
  static PendingEvent StateChanged(int32_t state);
  static PendingEvent KeyInput(int32_t virtual_key, int32_t scan_code, bool down);

  int32_t kind() const { return kind_; }
  // The record for the callback. Its data pointer points into this object:
  // valid while the object lives and is not moved.
  VX_CALLBACK_EVENT View();

 private:
  explicit PendingEvent(int32_t kind) : kind_(kind) {}

  int32_t kind_;
  VX_EVENT_WINDOW window_{};
  VX_EVENT_STATE state_{};
  VX_EVENT_KEY key_{};
};

}  // namespace vxlib
