#include "vxlib/slowdown.h"

#include <algorithm>
#include <iterator>

namespace vxlib {

void ModifierKeys::Key(uint8_t key, bool down) {
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    if (kKeys[i] != key) continue;
    if (down) {
      down_ |= static_cast<uint8_t>(1u << i);
    } else {
      down_ &= static_cast<uint8_t>(~(1u << i));
    }
  }
}

int ModifierKeys::held() const {
  int mask = 0;
  // kKeys holds each modifier's two keys next to each other.
  const int bits[] = {kModifierCtrl, kModifierShift, kModifierAlt, kModifierWin};
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    if (down_ & (1u << i)) mask |= bits[i / 2];
  }
  return mask;
}

int SlowedSpeed(int user_speed) {
  // A third of the user's speed: slow enough for fine work, never stuck.
  return std::max(1, std::clamp(user_speed, 1, 20) / 3);
}

}  // namespace vxlib
