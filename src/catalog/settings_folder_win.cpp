#include <shlobj.h>
#include <windows.h>

#include "catalog/settings_store.h"

namespace tessaro {

std::u16string InitSettingsFolder() {
  wchar_t documents[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
  const std::u16string folder = SettingsFolderBelow(reinterpret_cast<const char16_t*>(documents));
  // An existing folder is fine; a folder that cannot be made shows up as
  // saves that fail, which keep the previous file.
  CreateDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()), nullptr);
  SetSettingsFolder(folder);
  return folder;
}

}  // namespace tessaro
