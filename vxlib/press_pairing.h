// Keeps the down and up event of a button together: an up event gets the
// verdict its down event got, so the system never sees a release without
// its press or a press without its release, even when a trigger is
// installed or removed while the button is held, or the hook is installed
// afresh meanwhile.
#pragma once

#include <array>
#include <cstdint>

#include "vxlib/mouse_input.h"

namespace vxlib {

enum class Verdict : uint8_t { kPass, kSwallow };

class PressPairing {
 public:
  // taken: whether a trigger takes b over at this moment. device: the
  // listed device the press is put down to, 0 for none.
  Verdict Down(Button b, bool taken, uint32_t device);
  // An up event whose down event was not seen (it came before the hook,
  // or while the hook was lost) reached the system's own state: it passes.
  Verdict Up(Button b);
  // After the hook was lost and installed afresh: system_down has bit
  // Index(b) for each button the system holds down now. A swallowed press
  // keeps its release swallowed, unless the system holds the button: then
  // a press reached it while the hook was lost, and that press's release
  // must reach it too.
  void Reinstalled(uint32_t system_down);
  // Forgets the presses of the devices for which gone(device) holds: no up
  // event will come from them. Returns the buttons (bit Index(b)) whose
  // forgotten press was swallowed: the actions they started are to end.
  template <class Gone>
  uint32_t Forget(Gone gone) {
    uint32_t swallowed = 0;
    for (size_t i = 0; i < kButtonCount; ++i) {
      Press& p = pressed_[i];
      if (p.state == State::kNone || p.device == 0 || !gone(p.device)) continue;
      if (p.state == State::kSwallowed) swallowed |= 1u << i;
      p = {};
    }
    return swallowed;
  }

 private:
  enum class State : uint8_t { kNone, kPassed, kSwallowed };
  struct Press {
    State state = State::kNone;
    uint32_t device = 0;
  };
  std::array<Press, kButtonCount> pressed_{};
};

}  // namespace vxlib
