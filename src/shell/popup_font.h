// The font family of the popup lists the main window opens: the skin's
// font, unless the language needs a family that has its script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

std::u16string PopupFontFamily(std::u16string_view skin_font, int32_t language_id);

}  // namespace tessaro
