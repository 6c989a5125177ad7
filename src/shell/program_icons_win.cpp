#include "shell/program_icons_win.h"

#include <shellapi.h>

#include "program_name.h"
#include "ui/icon_picture_win.h"
#include "ui/icon_raii_win.h"

namespace tessaro {

Gdiplus::Image* ProgramIcons::Get(const std::u16string& path) {
  const auto [slot, added] = pictures_.try_emplace(FoldProgramName(path));
  if (!added) return slot->second.get();
  const int size = GetSystemMetrics(SM_CXICON);
  HICON large = nullptr;
  if (!path.empty()) ExtractIconExW(reinterpret_cast<const wchar_t*>(path.c_str()), 0, &large, nullptr, 1);
  const UniqueIcon own(large);
  // The system's program icon is shared: never destroyed.
  HICON icon = own.get() ? own.get() : LoadIconW(nullptr, IDI_APPLICATION);
  slot->second = IconPicture(icon, size);
  return slot->second.get();
}

}  // namespace tessaro
