// Switching the display language renames the stored assignments and saves.
#include "shell/controls_language.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "catalog/function_catalogue.h"
#include "catalog/language_table.h"
#include "catalog/message_box.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"
#include "support/temp_app_folder.h"

namespace {

using nlohmann::json;
using namespace test_support;
using Strings = std::vector<std::string>;

const std::string kLongEnglish = "Open the " + std::string(70, 'e');
const std::string kLongGerman = "Öffne die " + std::string(80, 'g');

// Records into the window's log, so the order of both shows.
class RecordingLanguageView : public tessaro::LanguageView {
 public:
  explicit RecordingLanguageView(Strings& calls) : calls_(calls) {}
  void ShowLanguageTexts() override {
    calls_.push_back("ShowLanguageTexts " + tessaro::Utf16ToUtf8(tessaro::LanguageText(u"reset")));
  }
  void LayOutAgain() override { calls_.push_back("LayOutAgain"); }

 private:
  Strings& calls_;
};

json Function(const std::string& english, const std::string& german, int type) {
  return {{"function_name", {{"1033", english}, {"1031", german}}},
          {"function_define", {{"type", type}, {"url", ""}, {"press", json::array()}, {"release", json::array()}}}};
}

class LanguageChangeTest : public ::testing::Test {
 protected:
  LanguageChangeTest() {
    folder_.WriteFile("language.json", R"({"1033": {"reset": "Reset"}, "1031": {"reset": "Zurücksetzen"}})");
    const json functions = json::array(
        {Function("Copy", "Kopieren", 3), Function("Paste", "Einfügen", 3), Function(kLongEnglish, kLongGerman, 3)});
    folder_.WritePackage("function.pkg", {TextMember("function_tirro/function.json", functions.dump())});
    tessaro::LoadLanguage(1033);
    tessaro::LoadFunctionCatalogue();
    tessaro::SettingsLoaded = 1;
    const auto model = TestModel(0x10, 0x2103);
    tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 1), 3, u"Copy"));
    tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 2), 2, u"Ctrl + A"));
    tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 3), 3, tessaro::Utf8ToUtf16(kLongEnglish)));
  }
  ~LanguageChangeTest() override {
    tessaro::LoadLanguage(1033);
    tessaro::PreviousLanguageId = -1;
  }

  bool Change(int32_t lcid) { return tessaro::ChangeLanguage(lcid, window_, view_); }

  static Strings StoredNames(const json& document) {
    Strings names;
    for (const auto& entry : document.at("trigger_setting")) names.push_back(entry.at("function_name"));
    return names;
  }

  TempAppFolder folder_;
  SettingsSandbox sandbox_;
  FakeMainWindow window_;
  RecordingLanguageView view_{window_.calls};
};

TEST_F(LanguageChangeTest, AnotherLanguageRenamesStoredAssignmentsAndSaves) {
  ASSERT_TRUE(Change(1031));
  EXPECT_EQ(tessaro::LanguageId.load(), 1031);
  EXPECT_EQ(tessaro::PreviousLanguageId.load(), -1);
  EXPECT_EQ(window_.calls, (Strings{"ShowLanguageTexts Zurücksetzen", "RestartTimer 1 80", "RebuildFunctionMenu",
                                    "InvalidateWindow", "LayOutAgain"}));

  const std::string long_german = tessaro::Utf16ToUtf8(tessaro::Utf8ToUtf16(kLongGerman).substr(0, 63));
  const Strings renamed{"Kopieren", "Ctrl + A", long_german};  // a name the catalogue does not know stays
  const json saved = json::parse(sandbox_.ReadSettingsFile());
  EXPECT_EQ(saved.at("language id"), "1031");
  EXPECT_EQ(StoredNames(saved), renamed);
  Strings listed;
  for (const auto& entry : tessaro::CopyButtonSettingList())
    listed.push_back(tessaro::Utf16ToUtf8(entry.function_name));
  EXPECT_EQ(listed, renamed);
  EXPECT_EQ(tessaro::Utf16ToUtf8(tessaro::FunctionCatalogueSnapshot()->function_rows[0].name), "Kopieren");

  // Back again: the cut German name is found by its cut form.
  window_.calls.clear();
  ASSERT_TRUE(Change(1033));
  EXPECT_EQ(StoredNames(json::parse(sandbox_.ReadSettingsFile())),
            (Strings{"Copy", "Ctrl + A", tessaro::Utf16ToUtf8(tessaro::Utf8ToUtf16(kLongEnglish).substr(0, 63))}));
}

// A message box waits for the user, and the window's thread takes the
// settings lock too: the switch's load errors show only once it has let
// the lock go.
TEST_F(LanguageChangeTest, LoadErrorsShowOnlyAfterTheSwitchLetsTheLockGo) {
  folder_.WriteFile("language.json", R"({"1033": {"reset": "Reset"}, "1031": "no texts"})");
  folder_.WritePackage("function.pkg", {TextMember("function_tirro/function.json", "{ not a document")});
  tessaro::TakeShownMessages();
  // Laying out again is the switch's last step under the lock.
  class HeldMessagesView final : public tessaro::LanguageView {
   public:
    void ShowLanguageTexts() override {}
    void LayOutAgain() override { shown_under_lock = tessaro::TakeShownMessages(); }
    std::vector<std::u16string> shown_under_lock;
  } view;
  ASSERT_TRUE(tessaro::ChangeLanguage(1031, window_, view));
  EXPECT_EQ(view.shown_under_lock, std::vector<std::u16string>{});
  EXPECT_EQ(tessaro::TakeShownMessages(), (std::vector<std::u16string>{u"load language err", u"function load err"}));
}

TEST_F(LanguageChangeTest, TheCurrentLanguageAgainDoesNothing) {
  EXPECT_FALSE(Change(1033));
  EXPECT_EQ(window_.calls, Strings{});
  EXPECT_FALSE(sandbox_.SettingsFileExists());
  EXPECT_EQ(tessaro::Utf16ToUtf8(tessaro::CopyButtonSettingList()[0].function_name), "Copy");
}

}  // namespace
