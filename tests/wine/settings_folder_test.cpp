// The settings folder is "Vornel" in the user's documents folder.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "catalog/settings_store.h"

namespace {

TEST(SettingsFolder, IsCreatedBelowTheDocumentsFolder) {
  wchar_t documents[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents), S_OK);
  const std::u16string folder = tessaro::InitSettingsFolder();
  const std::wstring wide(folder.begin(), folder.end());
  EXPECT_EQ(wide, std::wstring(documents) + L"\\Vornel\\");
  EXPECT_EQ(tessaro::SettingsFolder(), folder);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(tessaro::InitSettingsFolder(), folder);  // an existing folder is fine
}

}  // namespace
