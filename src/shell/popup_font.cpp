#include "shell/popup_font.h"

namespace tessaro {

std::u16string PopupFontFamily(std::u16string_view skin_font, int32_t language_id) {
  if (language_id == 1042) return u"Malgun Gothic";
  if (language_id == 1041) return u"Meiryo";
  return std::u16string(skin_font);
}

}  // namespace tessaro
