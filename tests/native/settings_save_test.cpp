// A save never leaves a torn file, and writes only when something changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using namespace test_support;

ino_t FileIdentity(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(SettingsSave, WritesOnlyWhenTheDocumentChanges) {
  SettingsSandbox sandbox;
  const auto model = TestModel(0x0d, 0x8106);
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 3), 3, u"Copy"));
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  const ino_t first = FileIdentity(sandbox.FilePath());

  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(FileIdentity(sandbox.FilePath()), first);  // not replaced

  tessaro::SlowdownModifier = 2;
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_NE(FileIdentity(sandbox.FilePath()), first);
  EXPECT_EQ(sandbox.FolderEntries(), std::vector<std::string>{"buttonSetting.json"});
}

// The disk fills up halfway through the new file: the old one stays whole.
TEST(SettingsSave, AFailedWriteKeepsThePreviousFile) {
  SettingsSandbox sandbox;
  const auto model = TestModel(0x0d, 0x8106);
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 3), 3, u"Copy"));
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  const std::string before = sandbox.ReadSettingsFile();
  for (int p = 4; p < 12; ++p) tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, p), 3, u"Paste"));

  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = before.size() + 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = tessaro::SaveButtonSettings();
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(saved);
  EXPECT_EQ(sandbox.ReadSettingsFile(), before);
  EXPECT_EQ(sandbox.FolderEntries(), std::vector<std::string>{"buttonSetting.json"});
}

TEST(SettingsSave, AMissingFolderIsReportedNotCreated) {
  SettingsSandbox sandbox;
  tessaro::SetSettingsFolder(tessaro::Utf8ToUtf16(sandbox.folder() + "/missing/"));
  EXPECT_FALSE(tessaro::SaveButtonSettings());
  EXPECT_TRUE(sandbox.FolderEntries().empty());
}

}  // namespace
