// The settings file is replaced whole: a temporary file in the same folder,
// flushed, then moved over the old one, retried while a reader holds it.
#include "catalog/file_replace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <thread>

#include "catalog/unique_handle_win.h"

namespace {

class FileReplaceTest : public ::testing::Test {
 protected:
  FileReplaceTest() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tessaro-replace-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    path_ = folder_ + L"buttonSetting.json";
  }
  ~FileReplaceTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  bool Replace(std::string_view contents) const {
    return tessaro::ReplaceFileContents(std::u16string(path_.begin(), path_.end()), contents);
  }
  std::string Read() const {
    tessaro::UniqueHandle file(
        CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<none>";
    char buffer[256];
    DWORD count = 0;
    ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr);
    return std::string(buffer, count);
  }
  int FilesInFolder() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) count += entry.is_regular_file() ? 1 : 0;
    return count;
  }
  // Holds the settings file open the way a reader that does not share
  // deletion does.
  tessaro::UniqueHandle HoldOpen() const {
    return tessaro::UniqueHandle(
        CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  }

  std::wstring folder_;
  std::wstring path_;
};

TEST_F(FileReplaceTest, CreatesAndReplacesLeavingOnlyTheFile) {
  ASSERT_TRUE(Replace("first"));
  EXPECT_EQ(Read(), "first");
  ASSERT_TRUE(Replace("second, longer"));
  EXPECT_EQ(Read(), "second, longer");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(FileReplaceTest, AFileHeldOpenIsReplacedOnceItIsClosed) {
  ASSERT_TRUE(Replace("old"));
  tessaro::UniqueHandle reader = HoldOpen();
  ASSERT_TRUE(reader);
  std::thread closer([&] {
    Sleep(50);
    reader.reset();
  });
  const bool replaced = Replace("new");
  closer.join();
  EXPECT_TRUE(replaced);
  EXPECT_EQ(Read(), "new");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(FileReplaceTest, AFileHeldOpenTooLongStaysAsItWas) {
  ASSERT_TRUE(Replace("old"));
  const tessaro::UniqueHandle reader = HoldOpen();
  ASSERT_TRUE(reader);
  EXPECT_FALSE(Replace("new"));
  EXPECT_EQ(Read(), "old");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(FileReplaceTest, AReadOnlyFileStaysAsItWas) {
  ASSERT_TRUE(Replace("first"));
  ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Replace("second"));
  EXPECT_EQ(Read(), "first");
  EXPECT_EQ(FilesInFolder(), 1);
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileReplaceTest, AMissingFolderFails) {
  path_ = folder_ + L"missing\\buttonSetting.json";
  EXPECT_FALSE(Replace("x"));
}

}  // namespace
