// What the library's own input holds down at this moment (keys and mouse
// buttons) and the pointer speed it has lowered, kept in atomic words: a
// crashing process releases it all without a lock or an allocation, and
// the keyboard hook's watchdog tells the library's keys from the user's.
// One writer (the action worker); readers on any thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "vxlib/action_input.h"

namespace vxlib {

class HeldInput {
 public:
  // Takes note of a batch before it is sent.
  void Note(const InputBatch& batch);

  // Calls release(record) with the up event of every key and mouse button
  // held.
  template <class F>
  void ForEachRelease(F&& release) const {
    for (int key = 0; key < 256; ++key) {
      if (KeyHeld(static_cast<uint8_t>(key))) release(InputRecord::KeyUp(static_cast<uint8_t>(key)));
    }
    const uint32_t buttons = buttons_.load();
    for (const auto& b : kButtons) {
      if (buttons & b.bit) release(InputRecord::Mouse(b.up, b.data));
    }
  }

  // Bit i set while key ModifierKeys::kKeys[i] is held. The library sends
  // Ctrl, Shift and Alt by their generic codes, which the system takes for
  // the left keys.
  uint8_t HeldModifiers() const;

  // The user's pointer speed while the library has lowered it, else 0.
  void SpeedLowered(int user_speed) { speed_.store(user_speed); }
  void SpeedRestored() { speed_.store(0); }
  int SpeedToRestore() const { return speed_.load(); }

 private:
  struct MouseButton {
    MouseOp down;
    MouseOp up;
    int32_t data;
    uint32_t bit;
  };
  static constexpr MouseButton kButtons[] = {
      {MouseOp::kLeftDown, MouseOp::kLeftUp, 0, 1},     {MouseOp::kRightDown, MouseOp::kRightUp, 0, 2},
      {MouseOp::kMiddleDown, MouseOp::kMiddleUp, 0, 4}, {MouseOp::kXDown, MouseOp::kXUp, 1, 8},
      {MouseOp::kXDown, MouseOp::kXUp, 2, 16},
  };

  bool KeyHeld(uint8_t key) const { return (keys_[key / 64].load() >> (key % 64)) & 1u; }

  std::array<std::atomic<uint64_t>, 4> keys_{};  // bit k: virtual key k is down
  std::atomic<uint32_t> buttons_{0};             // kButtons' bits
  std::atomic<int> speed_{0};
};

}  // namespace vxlib
