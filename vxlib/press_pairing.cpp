#include "vxlib/press_pairing.h"

namespace vxlib {

Verdict PressPairing::Down(Button b, bool taken) {
  pressed_[Index(b)] = taken ? Pressed::kSwallowed : Pressed::kPassed;
  return taken ? Verdict::kSwallow : Verdict::kPass;
}

Verdict PressPairing::Up(Button b) {
  const Pressed was = pressed_[Index(b)];
  pressed_[Index(b)] = Pressed::kNone;
  return was == Pressed::kSwallowed ? Verdict::kSwallow : Verdict::kPass;
}

}  // namespace vxlib
