#include "vxlib/hex.h"

namespace vxlib {

int32_t HexToInt(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    uint32_t digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      break;
    }
    value = (value << 4) | digit;
  }
  return static_cast<int32_t>(value);
}

}  // namespace vxlib
