// Input events as the library sends them, in a form the portable code can
// build and compare; the Windows side turns each into one INPUT record
// (scan code from the virtual-key code, extended flag, its own mark).
#pragma once

#include <cstdint>
#include <vector>

namespace vxlib {

enum class MouseOp : uint8_t {
  kLeftDown,
  kLeftUp,
  kRightDown,
  kRightUp,
  kMiddleDown,
  kMiddleUp,
  kXDown,  // data: 1 back (XBUTTON1), 2 forward (XBUTTON2)
  kXUp,
  kWheel,            // data: +120 up, -120 down
  kHorizontalWheel,  // data: +120 right, -120 left
};

struct InputRecord {
  enum class Kind : uint8_t { kKey, kMouse };

  static InputRecord KeyDown(uint8_t key) { return {Kind::kKey, key, false, {}, 0}; }
  static InputRecord KeyUp(uint8_t key) { return {Kind::kKey, key, true, {}, 0}; }
  static InputRecord Mouse(MouseOp op, int32_t data = 0) { return {Kind::kMouse, 0, false, op, data}; }

  Kind kind;
  uint8_t key;  // virtual-key code
  bool key_up;
  MouseOp mouse;
  int32_t mouse_data;

  bool operator==(const InputRecord&) const = default;
};

// The events of one SendInput call, in order.
using InputBatch = std::vector<InputRecord>;

// Keys that need KEYEVENTF_EXTENDEDKEY (navigation, Win, Print Screen,
// right Ctrl and Alt, browser and media keys...).
bool IsExtendedKey(uint8_t key);

}  // namespace vxlib
