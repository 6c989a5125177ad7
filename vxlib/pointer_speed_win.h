// Lowers the pointer speed while the slowdown hotkey is held and gives the
// user's own speed back afterwards. While lowered, the user's speed is
// also kept in HKCU\Software\Vornel\VXLIB "SavedMouseSpeed", so that the
// next start restores it should this run end without doing so.
#pragma once

#include <optional>

#include "vxlib/held_input.h"

namespace vxlib {

class PointerSpeed {
 public:
  // At start: restores and forgets a speed that a previous run left
  // lowered.
  static void RecoverSaved();

  // held learns of the speed to give back while it is lowered.
  explicit PointerSpeed(HeldInput& held) : held_(held) {}
  PointerSpeed(const PointerSpeed&) = delete;
  PointerSpeed& operator=(const PointerSpeed&) = delete;
  ~PointerSpeed() { Restore(); }

  void Lower();
  void Restore();

 private:
  HeldInput& held_;
  std::optional<int> user_speed_;
};

}  // namespace vxlib
