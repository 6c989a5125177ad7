// What the low-level mouse hook does with one event that is not injected:
// pass it on or swallow it, and which button event the action worker
// gets. Reads one word per event (the taken mask the backend publishes);
// owned by the hook's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "vxlib/press_pairing.h"

namespace vxlib {

struct HookDecision {
  Verdict verdict = Verdict::kPass;
  // Set exactly when the event is swallowed: the worker performs it.
  std::optional<ButtonEvent> perform;
};

class HookDecider {
 public:
  // taken_mask: bit Index(b) set while a trigger takes button b over.
  explicit HookDecider(const std::atomic<uint32_t>& taken_mask) : taken_mask_(taken_mask) {}

  HookDecision Decide(uint32_t message, uint32_t mouse_data) {
    // Moves and the left button, nearly every event, leave at once.
    if (message < mouse_message::kRightDown || message > mouse_message::kHorizontalWheel) return {};
    return DecideButton(message, mouse_data);
  }
  void Reset() { pairing_.Reset(); }

 private:
  HookDecision DecideButton(uint32_t message, uint32_t mouse_data);

  const std::atomic<uint32_t>& taken_mask_;
  PressPairing pairing_;
};

}  // namespace vxlib
