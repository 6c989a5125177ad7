// The slowdown hotkey: while all of its modifier keys are held, the
// pointer moves slower. Tracks the modifier keys from the keyboard hook's
// events, left and right keys apart, so that letting go of one of two
// held Ctrl keys keeps Ctrl held.
#pragma once

#include <cstdint>

namespace vxlib {

// Modifier bits of VX_SetSlowdoenModifier.
inline constexpr int kModifierCtrl = 1;
inline constexpr int kModifierShift = 2;
inline constexpr int kModifierAlt = 4;
inline constexpr int kModifierWin = 8;

class ModifierKeys {
 public:
  // A key event (left/right virtual-key codes as the low-level keyboard
  // hook reports them); other keys are ignored.
  void Key(uint8_t key, bool down);
  // Modifier bits with at least one of their keys held.
  int held() const;
  // Bit i: kKeys[i] held.
  uint8_t down() const { return down_; }

  // The keys that count: left and right Ctrl, Shift, Alt (Menu), Win.
  static constexpr uint8_t kKeys[] = {0xA2, 0xA3, 0xA0, 0xA1, 0xA4, 0xA5, 0x5B, 0x5C};

 private:
  uint8_t down_ = 0;  // bit i: kKeys[i] held
};

// Whether the pointer is to be slow: a hotkey is set and all of its keys
// are held (others may be held too).
inline bool SlowdownActive(int hotkey, int held) { return hotkey != 0 && (held & hotkey) == hotkey; }

// The pointer speed (1 to 20) while slowed down from the user's own.
int SlowedSpeed(int user_speed);

}  // namespace vxlib
