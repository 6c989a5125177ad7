#include "vxlib/pending_event.h"

namespace vxlib {

PendingEvent PendingEvent::Plain(int32_t kind) { return PendingEvent(kind); }

PendingEvent PendingEvent::WindowActivated(uint64_t window) {
  PendingEvent e(VX_EVENT_WINDOW_ACTIVATED);
  // The activated program's path is not simulated; an empty text keeps
  // the pointer valid for readers that look at it anyway.
  e.window_.path = u"";
  e.window_.window = reinterpret_cast<void*>(static_cast<uintptr_t>(window));
  return e;
}

PendingEvent PendingEvent::StateChanged(int32_t state) {
  PendingEvent e(VX_EVENT_STATE_CHANGED);
  e.state_.state = state;
  return e;
}

PendingEvent PendingEvent::KeyInput(int32_t virtual_key, int32_t scan_code, bool down) {
  PendingEvent e(VX_EVENT_KEY_INPUT);
  e.key_.virtual_key = virtual_key;
  e.key_.scan_code = scan_code;
  e.key_.key_down = down ? 1 : 0;
  return e;
}

VX_CALLBACK_EVENT PendingEvent::View() {
  VX_CALLBACK_EVENT event{};
  event.kind = kind_;
  switch (kind_) {
    case VX_EVENT_WINDOW_ACTIVATED:
      event.data = &window_;
      break;
    case VX_EVENT_STATE_CHANGED:
      event.data = &state_;
      break;
    case VX_EVENT_KEY_INPUT:
      event.data = &key_;
      break;
    default:
      break;
  }
  return event;
}

}  // namespace vxlib
