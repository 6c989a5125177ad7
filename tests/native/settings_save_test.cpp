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
  tessaro::SettingsLoaded = 1;
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
  tessaro::SettingsLoaded = 1;
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

// The user made the file read-only: a change is not saved over it.
TEST(SettingsSave, AReadOnlyFileIsLeftAsItWas) {
  SettingsSandbox sandbox;
  tessaro::SettingsLoaded = 1;
  sandbox.WriteSettingsFile(R"({"setting_ver":"2"})");
  ASSERT_EQ(chmod(sandbox.FilePath().c_str(), 0444), 0);
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(TestModel(0x0d, 0x8106), 3), 3, u"Copy"));

  EXPECT_FALSE(tessaro::SaveButtonSettings());
  EXPECT_EQ(sandbox.ReadSettingsFile(), R"({"setting_ver":"2"})");
  EXPECT_EQ(sandbox.FolderEntries(), std::vector<std::string>{"buttonSetting.json"});
}

// A language or slowdown change may be saved before the first load has
// put the file's assignments into the list; they must survive it.
TEST(SettingsSave, BeforeTheFirstLoadTheStoredAssignmentsAreKept) {
  SettingsSandbox sandbox;
  const std::string entry =
      R"({"event":{"hid_button":"0x08","hid_num_down":"0","hid_num_up":"0","model_id":"13","mouse_button":"0x00",)"
      R"("pid":"33030","swap45":"0","tilt_mask":"0","usb_pid":"0x0000","usb_vid":"0x0000","vid":"75"},)"
      R"("function_define":{"press":["0x01"],"release":["0x00"],"type":"3","url":""},"function_name":"Copy"})";
  auto document = [&](const char* modifier, bool with_entry) {
    return std::string(R"({"language id":"1033","setting_ver":"2","slowdown enable":"0","slowdown modifier":")") +
           modifier + (with_entry ? R"(","trigger_setting":[)" + entry + "]}" : R"("})");
  };
  sandbox.WriteSettingsFile(document("1", true));

  tessaro::SlowdownModifier = 4;
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(sandbox.ReadSettingsFile(), document("4", true));

  tessaro::SettingsLoaded = 1;  // from now on the list is what is stored
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(sandbox.ReadSettingsFile(), document("4", false));
}

TEST(SettingsSave, AMissingFolderIsReportedNotCreated) {
  SettingsSandbox sandbox;
  tessaro::SetSettingsFolder(tessaro::Utf8ToUtf16(sandbox.folder() + "/missing/"));
  EXPECT_FALSE(tessaro::SaveButtonSettings());
  EXPECT_TRUE(sandbox.FolderEntries().empty());
}

TEST(SettingsFolder, VornelBelowTheDocumentsFolder) {
  EXPECT_EQ(tessaro::SettingsFolderBelow(u"C:\\Users\\a\\Documents"), u"C:\\Users\\a\\Documents\\Vornel\\");
  EXPECT_EQ(tessaro::SettingsFolderBelow(u"D:\\"), u"D:\\Vornel\\");
  EXPECT_EQ(tessaro::SettingsFolderBelow(u""), u"\\Vornel\\");
}

}  // namespace
