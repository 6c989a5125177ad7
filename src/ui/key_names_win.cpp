#include "ui/key_names_win.h"

#include <windows.h>

namespace tessaro {

int32_t SystemKeyNames::ScanCodeOf(int32_t virtual_key) const {
  return static_cast<int32_t>(MapVirtualKeyW(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC));
}

std::u16string SystemKeyNames::NameOf(int32_t key_parameter) const {
  wchar_t name[128];
  const int length = GetKeyNameTextW(key_parameter, name, 128);
  return length > 0 ? std::u16string(name, name + length) : std::u16string();
}

}  // namespace tessaro
