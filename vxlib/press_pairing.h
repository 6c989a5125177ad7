// Keeps the down and up event of a button together: an up event gets the
// verdict its down event got, so the system never sees a release without
// its press or a press without its release, even when a trigger is
// installed or removed while the button is held.
#pragma once

#include <array>

#include "vxlib/mouse_input.h"

namespace vxlib {

enum class Verdict : uint8_t { kPass, kSwallow };

class PressPairing {
 public:
  // taken: whether a trigger takes b over at this moment.
  Verdict Down(Button b, bool taken);
  // An up event whose down event was not seen (it came before the hook,
  // or while the hook was lost) reached the system's own state: it passes.
  Verdict Up(Button b);
  // Forgets every press: after the hook was lost, ups may have gone by.
  void Reset() { pressed_.fill(Pressed::kNone); }

 private:
  enum class Pressed : uint8_t { kNone, kPassed, kSwallowed };
  std::array<Pressed, kButtonCount> pressed_{};
};

}  // namespace vxlib
