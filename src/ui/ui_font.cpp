#include "ui/ui_font.h"

#include <algorithm>

#include "ui/panel.h"
#include "vxlib.h"

namespace tessaro {
namespace {

// Tried in this order; without either the default family stays.
constexpr std::u16string_view kFirstChoice = u"Meiryo2";
constexpr std::u16string_view kSecondChoice = u"\u5FAE\u8EDF\u6B63\u9ED1\u9AD4";
// The first choice sits high in its line box.
constexpr float kFirstChoiceTextOffset = 0.1f;
constexpr float kMinimumSize = 14.0f;

}  // namespace

UiFont& ProcessUiFont() {
  static UiFont font;
  return font;
}

std::u16string_view UiFontName() { return ProcessUiFont().name; }
float UiFontSize() { return ProcessUiFont().size; }

void ChooseUiFont(UiFont& font, const FontProbe& probe, SkinPanel& panel) {
  if (font.size != -1.0f) return;
  if (probe.HasFamily(kFirstChoice)) {
    font.name = kFirstChoice;
    panel.text_offset = kFirstChoiceTextOffset;
  } else if (probe.HasFamily(kSecondChoice)) {
    font.name = kSecondChoice;
  }
  ResizeUiFont(font, std::max(kMinimumSize, static_cast<float>(probe.WorkAreaWidthAtCursor() / 100.0)));
}

void ResizeUiFont(UiFont& font, float size) {
  font.size = size;
  VX_SetFontSize(font.name.c_str(), static_cast<int>(font.size));
}

}  // namespace tessaro
