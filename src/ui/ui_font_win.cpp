#include <windows.h>

#include <algorithm>

#include "ui/gdi_raii_win.h"
#include "ui/ui_font.h"

namespace tessaro {
namespace {

struct FamilySearch {
  std::u16string_view wanted;
  bool found = false;
};

int CALLBACK AcceptFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context) {
  auto& search = *reinterpret_cast<FamilySearch*>(context);
  const std::u16string_view face(reinterpret_cast<const char16_t*>(font->lfFaceName));
  if (!face.starts_with(search.wanted)) return 1;
  search.found = true;
  return 0;
}

class ScreenFontProbe final : public FontProbe {
 public:
  bool HasFamily(std::u16string_view name) const override {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const size_t length = std::min(name.size(), static_cast<size_t>(LF_FACESIZE - 1));
    name.copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), length);
    FamilySearch search{name};
    const WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &wanted, AcceptFamily, reinterpret_cast<LPARAM>(&search), 0);
    return search.found;
  }

  int WorkAreaWidthAtCursor() const override {
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info)) return 0;
    return info.rcWork.right - info.rcWork.left;
  }
};

}  // namespace

const FontProbe& PlatformFontProbe() {
  static const ScreenFontProbe probe;
  return probe;
}

}  // namespace tessaro
