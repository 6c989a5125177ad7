#include "vxlib/held_input.h"

#include <iterator>

#include "vxlib/slowdown.h"

namespace vxlib {

void HeldInput::Note(const InputBatch& batch) {
  for (const InputRecord& r : batch) {
    if (r.kind == InputRecord::Kind::kKey) {
      const uint64_t bit = uint64_t{1} << (r.key % 64);
      if (r.key_up) {
        keys_[r.key / 64].fetch_and(~bit);
      } else {
        keys_[r.key / 64].fetch_or(bit);
      }
      continue;
    }
    for (const auto& b : kButtons) {
      if (r.mouse_data != b.data) continue;
      if (r.mouse == b.down) buttons_.fetch_or(b.bit);
      if (r.mouse == b.up) buttons_.fetch_and(~b.bit);
    }
  }
}

uint8_t HeldInput::HeldModifiers() const {
  // The generic code that stands for each of ModifierKeys::kKeys, or 0.
  constexpr uint8_t kGeneric[] = {0x11, 0, 0x10, 0, 0x12, 0, 0, 0};
  static_assert(std::size(kGeneric) == std::size(ModifierKeys::kKeys));
  uint8_t bits = 0;
  for (size_t i = 0; i < std::size(ModifierKeys::kKeys); ++i) {
    if (KeyHeld(ModifierKeys::kKeys[i]) || (kGeneric[i] != 0 && KeyHeld(kGeneric[i]))) {
      bits |= static_cast<uint8_t>(1u << i);
    }
  }
  return bits;
}

}  // namespace vxlib
