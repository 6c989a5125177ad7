// The slowdown hotkey: switching it on and off, and the modifier keys that
// hold it, each handed to the driver library and saved.
#pragma once

#include <cstdint>

#include "shell/main_panel.h"

namespace tessaro {

// The key capture's modifier bits (left keys in the low four bits, right
// keys in the high four) folded to the driver's 1 Ctrl, 2 Shift, 4 Alt,
// 8 Win: either side of a key counts.
constexpr int32_t FoldModifiers(int32_t captured_bits) { return (captured_bits | captured_bits >> 4) & 0xF; }

// Sets SlowdownEnabled, tells the driver library (the modifier keys, or 0
// for off) and saves.
void SetSlowdownEnabled(bool enabled);

// Sets SlowdownModifier from a capture's modifier bits, tells the driver
// library when slowdown is on and saves. Returns the folded keys.
int32_t SetSlowdownKeys(int32_t captured_bits);

// Window thread: the slowdown check box and the keys widget show the
// stored settings as they are now. The keys widget shows while the check
// box does, and is measured again for its new text.
void ShowStoredSlowdown(MainPanelWidgets& main);

}  // namespace tessaro
