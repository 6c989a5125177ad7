// The profile file: its text written and read back, what the reader makes
// of bad input, and how the store loads it, keeps a damaged one aside and
// tells the library.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/profile_document.h"
#include "catalog/profile_store.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"
#include "support/temp_app_folder.h"

namespace {

using namespace tessaro;
using namespace test_support;
using Strings = std::vector<std::string>;

const MODEL_DEF kModel = TestModel(0x10, 0x9208, 0x4b, 0x3a7c, 0x7a10, 2);

Strings Programs(const ProgramProfileArray& profiles) {
  Strings names;
  for (const ProgramProfile& p : profiles) names.push_back(Utf16ToUtf8(p.program));
  return names;
}

TEST(ProfileDocument, WrittenProfilesReadBackTheSame) {
  const ProgramProfileArray profiles = {
      {u"Editor.exe",
       u"C:\\Apps\\\"Edit\"\\Editor.exe",
       {Setting(ButtonTrigger(kModel, 3), 2, u"Paste", {1, 0x11, 0x56}, {0, 0x56, 0x11}),
        Setting(TiltTrigger(kModel, 1), 3, u"Lautst\u00e4rke +", {1, 0xAF}),
        Setting(HidTrigger(kModel, 0x21, 0x22), 9, u"Web", {1}, {}, u"https://example.org/?a=\"b\"")}},
      {u"\u00e9diteur.exe", u"", {}},
  };
  const std::string text = FormatProfileDocument(profiles);
  // Compact, members in byte order of their keys, as the JSON library
  // itself writes it.
  EXPECT_EQ(nlohmann::json::parse(text).dump(), text);

  const ProfileDocument read = ReadProfileDocument(text);
  EXPECT_FALSE(read.damaged);
  ASSERT_EQ(Programs(read.profiles), Programs(profiles));
  for (size_t p = 0; p < profiles.size(); ++p) {
    EXPECT_EQ(read.profiles[p].path, profiles[p].path);
    ASSERT_EQ(read.profiles[p].entries.size(), profiles[p].entries.size());
    for (size_t i = 0; i < profiles[p].entries.size(); ++i) {
      EXPECT_TRUE(SameApartFromSlot(read.profiles[p].entries[i], profiles[p].entries[i])) << p << " " << i;
      EXPECT_EQ(read.profiles[p].entries[i].trigger.slot, i) << "the place in the file";
    }
  }
  EXPECT_EQ(FormatProfileDocument(read.profiles), text);
}

TEST(ProfileDocument, BadInputIsReadAsFarAsItGoesAndCalledDamaged) {
  const std::string entry =
      R"({"event":{"hid_button":"0x08","model_id":"16","pid":"37384","vid":"75"},"function_define":)"
      R"({"press":["0x01","0x11","0x43"],"release":["0x00"],"type":"2","url":""},"function_name":"Copy"})";
  const auto profile = [&](const std::string& program, const std::string& entries = "") {
    return R"({"entries":[)" + (entries.empty() ? entry : entries) + R"(],"program":")" + program + R"("})";
  };
  const auto file = [](const std::string& profiles) { return R"({"profiles":[)" + profiles + R"(],"version":"1"})"; };
  const struct {
    const char* what;
    std::string text;
    bool damaged;
    Strings programs;
    size_t first_entries = 1;
  } cases[] = {
      {"an empty file", "", false, {}},
      {"no JSON", "{\"profiles\":", true, {}},
      {"no object", "[]", true, {}},
      {"no version", R"({"profiles":[]})", true, {}},
      {"another version", R"({"profiles":[],"version":"2"})", true, {}},
      {"a version as a number, no profiles", R"({"version":1})", false, {}},
      {"profiles no array", R"({"profiles":{},"version":"1"})", true, {}},
      {"a profile no object", file("7," + profile("good.exe")), true, {"good.exe"}},
      {"a profile without a program", file(R"({"entries":[]},)" + profile("good.exe")), true, {"good.exe"}},
      {"a program with a folder", file(profile("C:\\\\a.exe") + "," + profile("good.exe")), true, {"good.exe"}},
      {"a program twice", file(profile("good.exe") + "," + profile("GOOD.EXE")), true, {"good.exe"}},
      {"entries no array", file(R"({"entries":"x","program":"x.exe"})"), true, {"x.exe"}, 0},
      {"an entry of the wrong form",
       file(profile("good.exe", R"({"event":"x","function_define":{}},)" + entry)),
       true,
       {"good.exe"}},
      {"an entry without its definition is passed over",
       file(profile("good.exe", R"({"function_name":"lonely"},)" + entry)),
       false,
       {"good.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProfileDocument read = ReadProfileDocument(c.text);
    EXPECT_EQ(read.damaged, c.damaged);
    EXPECT_EQ(Programs(read.profiles), c.programs);
    if (!read.profiles.empty()) {
      EXPECT_EQ(read.profiles[0].entries.size(), c.first_entries);
    }
  }
}

// The shipped language table, for the store's message.
class ProfileStoreTest : public ::testing::Test {
 protected:
  ProfileStoreTest() {
    const std::vector<uint8_t> table = ReadFileBytes(TESSARO_DATA_DIR "/language.json");
    folder_.WriteFile("language.json", std::string(table.begin(), table.end()));
    LoadLanguage(1033);
  }

  static std::string Good() {
    return FormatProfileDocument(
        {{u"good.exe", u"", {Setting(ButtonTrigger(kModel, 3), 2, u"Paste", {1, 0x11, 0x56}, {0, 0x56, 0x11})}}});
  }

  TempAppFolder folder_;
  SettingsSandbox sandbox_;
  RecordingSettingsView view_;
};

TEST_F(ProfileStoreTest, DamagedFileIsKeptAsideReportedOnceAndWhatCouldBeReadActs) {
  const std::string good = Good();
  // The good file with a profile that is no object added at its end.
  const std::string damaged = good.substr(0, good.find("],\"version\"")) + ",7],\"version\":\"1\"}";
  sandbox_.WriteFile("appProfiles.json", damaged);
  LoadProgramProfiles(view_);

  EXPECT_EQ(view_.calls, Strings{"ShowMessage " + Utf16ToUtf8(LanguageText(u"profiles damaged"))});
  EXPECT_EQ(sandbox_.ReadFile("appProfiles.damaged.json"), damaged);
  EXPECT_EQ(sandbox_.ReadFile("appProfiles.json"), good);
  ASSERT_EQ(fake_vxlib::Profiles().size(), 1u);
  EXPECT_EQ(fake_vxlib::Profiles()[0].name, u"good.exe");
  EXPECT_EQ(fake_vxlib::Profiles()[0].triggers.size(), 1u);

  // The next refresh reads what was written in its place: no message.
  view_.calls.clear();
  LoadProgramProfiles(view_);
  EXPECT_TRUE(view_.calls.empty());
  EXPECT_EQ(fake_vxlib::Profiles().size(), 1u);

  // Another damaged file goes beside the first, never over it; the profile
  // it lost leaves the library.
  sandbox_.WriteFile("appProfiles.json", "{");
  LoadProgramProfiles(view_);
  EXPECT_EQ(view_.calls.size(), 1u);
  EXPECT_EQ(sandbox_.ReadFile("appProfiles.damaged-2.json"), "{");
  EXPECT_EQ(sandbox_.ReadFile("appProfiles.damaged.json"), damaged);
  EXPECT_TRUE(fake_vxlib::Profiles().empty());
  EXPECT_TRUE(CopyProgramProfileList().empty());
  // The settings file is none of the profiles' business.
  EXPECT_EQ(sandbox_.FolderEntries(),
            (Strings{"appProfiles.damaged-2.json", "appProfiles.damaged.json", "appProfiles.json"}));
}

TEST_F(ProfileStoreTest, LoadFollowsTheFileAndSaveWritesOnlyWhatChanged) {
  sandbox_.WriteFile("appProfiles.json", Good());
  LoadProgramProfiles(view_);
  ASSERT_EQ(Programs(CopyProgramProfileList()), Strings{"good.exe"});
  const size_t told = fake_vxlib::CallsNamed("VX_SetAppProfile").size();
  EXPECT_EQ(told, 1u);
  // Loaded again unchanged: the library is not told again.
  LoadProgramProfiles(view_);
  EXPECT_EQ(fake_vxlib::CallsNamed("VX_SetAppProfile").size(), told);
  EXPECT_TRUE(SaveProgramProfiles());
  EXPECT_EQ(sandbox_.ReadFile("appProfiles.json"), Good());

  // The file gone: its profiles leave the list and the library.
  std::remove((sandbox_.folder() + "/appProfiles.json").c_str());
  LoadProgramProfiles(view_);
  EXPECT_TRUE(CopyProgramProfileList().empty());
  EXPECT_TRUE(fake_vxlib::Profiles().empty());
  EXPECT_TRUE(view_.calls.empty());
}

}  // namespace
