// The title bar's profile list: which programs it offers to add, its rows,
// and what choosing a profile, adding one and removing one do.
#include "shell/controls_profiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/profile_store.h"
#include "catalog/utf.h"
#include "shell/profile_selection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using namespace tessaro;
using Strings = std::vector<std::string>;

Strings Names(const std::vector<RunningProgram>& programs) {
  Strings names;
  for (const RunningProgram& p : programs) names.push_back(Utf16ToUtf8(p.name) + " " + Utf16ToUtf8(p.path));
  return names;
}

TEST(ProfileList, OffersEachProgramWithAWindowOnceUnlessItHasAProfileOrIsTessaro) {
  const ProgramProfileArray profiles = {{u"Editor.exe", u"", {}}};
  const std::vector<std::u16string> windows = {
      u"C:\\Apps\\zed.exe",  u"C:\\Tessaro\\Tessaro.exe", u"C:\\Apps\\viewer.exe",
      u"D:\\Other\\ZED.EXE", u"C:\\Apps\\editor.exe",     u"C:\\Apps\\Viewer.exe",
      u"C:\\Apps\\",  // no file name
  };
  EXPECT_EQ(Names(ProgramsToAdd(windows, u"c:\\tessaro\\tessaro.exe", profiles)),
            (Strings{"viewer.exe C:\\Apps\\viewer.exe", "zed.exe C:\\Apps\\zed.exe"}));
}

TEST(ProfileList, RowsNameEveryProfileAndOfferRemovalOnlyForTheShownOne) {
  const ProgramProfileArray profiles = {{u"Editor.exe", u"C:\\Apps\\Editor.exe", {}}, {u"viewer.exe", u"", {}}};
  const std::vector<RunningProgram> to_add = {{u"zed.exe", u"C:\\Apps\\zed.exe"}};
  const TextMap texts = {{u"all programs", u"All programs"},
                         {u"add program", u"Add a program\u2026"},
                         {u"remove profile", u"Remove this profile"}};
  Strings icons_asked;
  const auto icon_of = [&](const std::u16string& path) -> void* {
    icons_asked.push_back(Utf16ToUtf8(path));
    return nullptr;
  };
  for (const std::u16string shown : {u"", u"viewer.exe"}) {
    SCOPED_TRACE(Utf16ToUtf8(shown));
    icons_asked.clear();
    const RowArray rows = BuildProfileMenuRows(profiles, shown, to_add, texts, icon_of);
    Strings seen;
    for (const _QnItemListDB& row : rows) {
      seen.push_back(std::to_string(row.kind) + " " + std::to_string(row.parent) + " " + std::to_string(row.id) + " " +
                     std::to_string(row.function_index) + " " + Utf16ToUtf8(row.name));
    }
    Strings expected = {"0 0 1 0 All programs",
                        "0 0 2 0 Editor.exe",
                        "0 0 2 1 viewer.exe",
                        "2 0 0 0 ",
                        "1 0 3 -1 Add a program\xe2\x80\xa6",
                        "0 1 3 0 zed.exe"};
    if (!shown.empty()) expected.push_back("0 0 4 0 Remove this profile");
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(icons_asked, (Strings{"C:\\Apps\\Editor.exe", "", "C:\\Apps\\zed.exe"}));
  }
}

TEST(ProfileList, AddingShowsTheNewProfileAndRemovingAsksFirst) {
  test_support::SettingsSandbox sandbox;
  test_support::RecordingSettingsView view;
  LoadProgramProfiles(view);
  test_support::FakeMainWindow window;

  EXPECT_FALSE(AddAndShowProfile({u"", u""}, window));
  ASSERT_TRUE(AddAndShowProfile({u"viewer.exe", u"C:\\Apps\\viewer.exe"}, window));
  EXPECT_EQ(ShownProfile(), u"viewer.exe");
  EXPECT_NE(sandbox.ReadFile("appProfiles.json").find("viewer.exe"), std::string::npos);
  ASSERT_TRUE(ApplyProfileSetting(
      u"viewer.exe", test_support::Setting(test_support::ButtonTrigger(test_support::TestModel(1, 2), 3), 2, u"Copy")));
  ASSERT_EQ(fake_vxlib::Profiles().size(), 1u);

  int asked = 0;
  EXPECT_FALSE(RemoveShownProfile([&] { return ++asked, false; }, window));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ShownProfile(), u"viewer.exe");
  EXPECT_EQ(fake_vxlib::Profiles().size(), 1u);

  window.calls.clear();
  EXPECT_TRUE(RemoveShownProfile([&] { return ++asked, true; }, window));
  EXPECT_EQ(ShownProfile(), u"");
  // The program's buttons act with the default assignments at once.
  EXPECT_TRUE(fake_vxlib::Profiles().empty());
  EXPECT_EQ(sandbox.ReadFile("appProfiles.json").find("viewer.exe"), std::string::npos);
  EXPECT_EQ(window.calls, Strings{"RebuildFunctionMenu"});
  // Nothing shown to remove: no question.
  EXPECT_FALSE(RemoveShownProfile([&] { return ++asked, true; }, window));
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(ShowProgramProfile(u"viewer.exe", window));
  EXPECT_FALSE(sandbox.SettingsFileExists());
}

}  // namespace
