// Native stand-in: no screen, so no font families and no work area; the
// font keeps its default family at the minimum size.
#include "ui/ui_font.h"

namespace tessaro {
namespace {

class NoScreenProbe final : public FontProbe {
 public:
  bool HasFamily(std::u16string_view) const override { return false; }
  int WorkAreaWidthAtCursor() const override { return 0; }
};

}  // namespace

const FontProbe& PlatformFontProbe() {
  static const NoScreenProbe probe;
  return probe;
}

}  // namespace tessaro
