// The user-interface font: one family name and one base size for every
// panel of the process, chosen once at the first panel's initialisation;
// a change of the display scale resizes it later.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace tessaro {

struct SkinPanel;

struct UiFont {
  std::u16string name = u"Tahoma";  // at most 64 characters
  // Pixels; -1 until chosen. Resized on the user-interface thread while
  // the key capture dialog's thread may read it.
  std::atomic<float> size = -1.0f;
};

// What the font choice asks of the system.
class FontProbe {
 public:
  virtual ~FontProbe() = default;
  // Whether the screen has a font family whose face name begins with name.
  virtual bool HasFamily(std::u16string_view name) const = 0;
  // Width of the work area of the monitor nearest to the cursor.
  virtual int WorkAreaWidthAtCursor() const = 0;
};

// The process-wide font and the system's probe.
UiFont& ProcessUiFont();
const FontProbe& PlatformFontProbe();
std::u16string_view UiFontName();
float UiFontSize();

// Runs only while the font is not chosen: picks the family (a preferred
// family also gives the panel its text offset), sizes the font from the
// work area (1/100 of its width, at least 14 pixels) and tells the driver
// library.
void ChooseUiFont(UiFont& font, const FontProbe& probe, SkinPanel& panel);

// A chosen font at a new size (the display scale changed); the driver
// library is told again, as at the choice.
void ResizeUiFont(UiFont& font, float size);

}  // namespace tessaro
