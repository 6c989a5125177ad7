// The key code table: USB HID keyboard usages to PC scan codes (set 1 make
// codes, 0xE000 added for E0-prefixed keys). It travels with the program as
// an embedded resource for the driver library.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>

namespace tessaro {

// Parses rows "usage scancode" separated by CR LF (the last row may end
// without one). A malformed row or a value above 16 bits makes the whole
// table empty: a half-read table would silently drop keys.
std::map<uint16_t, uint16_t> ParseKeyCodeTable(std::string_view text);

}  // namespace tessaro
