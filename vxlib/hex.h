// Hexadecimal text to number, the conversion behind VX_MISC_Hex2Dec.
#pragma once

#include <cstdint>
#include <string_view>

namespace vxlib {

// Reads hexadecimal digits from the start of text (after optional blanks),
// up to the first other character; no digits give 0. The value wraps in
// 32 bits, as the library's callers only keep the low bits.
int32_t HexToInt(std::u16string_view text);

}  // namespace vxlib
