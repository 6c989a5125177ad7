// The skin: the main window's colours and pictures, read once at start
// from the skin package ("skin.json" and fixed-name pictures) over the
// panel's defaults. Whatever the package lacks keeps its default.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/panel.h"

namespace tessaro {

// The number reader of skin.json. A number is its value (a fraction
// truncated, only the low 32 bits kept); a text is always hexadecimal:
// trimmed, every "0x" (or "0X") deleted, the rest read as hex digits. A
// missing or null member is 0. Any other type (true, an array, an object)
// gives nothing: the caller leaves its field as it was.
std::optional<int32_t> ReadJsonHex(const nlohmann::json& object, std::string_view key);

// What the skin reader needs from its package. Names are member name
// suffixes ("image/num1.png" finds "skin_korvane/image/num1.png").
class SkinSource {
 public:
  virtual ~SkinSource() = default;
  // The member's bytes; empty when it is missing, empty or unreadable.
  virtual std::vector<uint8_t> ReadMember(std::u16string_view name) = 0;
  // The picture, or null when it is missing. The Windows build decodes it
  // when it is first drawn; a file that does not decode then draws as none.
  virtual PanelImagePtr LoadPicture(std::u16string_view name) = 0;
};

// Loads the fixed-name pictures, then applies "skin.json" when the package
// has one: pictures it names, battery colours, and (only when it names a
// caption icon) the seven styles; then derives the status style from the
// panel style when the document gives none.
void ApplySkin(SkinSource& source, SkinPanel& panel);

// Opens "skin.pkg" beside the program, else the embedded skin, and applies
// it to the panel (Windows only). The panel owns the pictures from then on.
void LoadSkin(SkinPanel& panel);

// The address "check for updates" opens; empty hides the entry.
const std::u16string& UpdateUrl();

}  // namespace tessaro
