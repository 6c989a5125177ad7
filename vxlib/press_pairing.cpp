#include "vxlib/press_pairing.h"

namespace vxlib {

Verdict PressPairing::Down(Button b, bool taken, uint32_t device) {
  pressed_[Index(b)] = {taken ? State::kSwallowed : State::kPassed, device};
  return taken ? Verdict::kSwallow : Verdict::kPass;
}

Verdict PressPairing::Up(Button b) {
  const State was = pressed_[Index(b)].state;
  pressed_[Index(b)] = {};
  return was == State::kSwallowed ? Verdict::kSwallow : Verdict::kPass;
}

void PressPairing::Reinstalled(uint32_t system_down) {
  for (size_t i = 0; i < kButtonCount; ++i) {
    if ((system_down & (1u << i)) && pressed_[i].state == State::kSwallowed) pressed_[i].state = State::kPassed;
  }
}

}  // namespace vxlib
