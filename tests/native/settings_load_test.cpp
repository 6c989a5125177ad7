// LoadButtonSettings and ReadStoredLanguageId on hand-written files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::CopyButtonSettingList;
using tessaro::LoadButtonSettings;
using namespace test_support;
using Strings = std::vector<std::string>;

// One "trigger_setting" entry for button bit 0x08 of model 13 (pid 0x8106,
// vid 75); event members replaced or added through extra_event.
std::string Entry(const std::string& extra_event = "", const std::string& type = R"("3")",
                  const std::string& name = "Copy") {
  return R"({"event":{"hid_button":"0x08","model_id":"13","pid":"33030","vid":"75")" + extra_event +
         R"(},"function_define":{"press":["0x01","0x11","0x43"],"release":["0x00"],"type":)" + type +
         R"(,"url":""},"function_name":")" + name + R"("})";
}

std::string Document(const std::string& entries, const std::string& globals = "") {
  return R"({"setting_ver":"2")" + globals + R"(,"trigger_setting":[)" + entries + "]}";
}

class SettingsLoadTest : public ::testing::Test {
 protected:
  void Load(const std::string& file) {
    sandbox_.WriteSettingsFile(file);
    LoadButtonSettings(view_);
  }
  SettingsSandbox sandbox_;
  RecordingSettingsView view_;
};

TEST_F(SettingsLoadTest, WithoutFileOnlyModelDefaultsAndNoWrite) {
  auto model = TestModel(0x08, 0x3306);
  AddHidDefault(model, 0xfa, 0xfa, 6, u"Scroll up", {1, 1});
  AddHidDefault(model, 0xfc, 0xfc, 0, u"Nothing", {});          // type 0: no default
  AddHidDefault(model, 0x21, 0, 2, u"Half a pair", {1, 0x11});  // no up code: no default
  tessaro::Models().models = {TestModel(1, 2), model};
  tessaro::SlowdownEnabled = 1;
  tessaro::SlowdownModifier = 4;

  LoadButtonSettings(view_);

  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].trigger.slot, 3000 + 12 * 1 + 0);
  EXPECT_EQ(list[0].trigger.hid_num_down, 0xfa);
  EXPECT_EQ(tessaro::Utf16ToUtf8(list[0].function_name), "Scroll up");
  EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), 1u);
  EXPECT_EQ(tessaro::SlowdownModifier.load(), 1);
  EXPECT_EQ(fake_vxlib::SlowdownModifier(), 1);
  EXPECT_EQ(view_.calls, (Strings{"ShowSlowdown 1 1", "InvalidateWindow"}));
  EXPECT_EQ(tessaro::SettingsLoaded.load(), 1);
  EXPECT_FALSE(sandbox_.SettingsFileExists());
}

TEST(SettingsLoad, NumbersReadAsNumbersDecimalTextOrHexText) {
  for (const std::string value : {R"(26)", R"("26")", R"("0x1a")", R"("0X1A")", R"(26.9)"}) {
    SCOPED_TRACE(value);
    SettingsSandbox sandbox;
    RecordingSettingsView view;
    sandbox.WriteSettingsFile(Document(Entry(R"(,"usb_vid":)" + value)));
    LoadButtonSettings(view);
    ASSERT_EQ(CopyButtonSettingList().size(), 1u);
    EXPECT_EQ(CopyButtonSettingList()[0].trigger.usb_vid, 26u);
  }
}

TEST(SettingsLoad, SlowdownSettings) {
  struct Case {
    const char* globals;
    int32_t enabled_before, modifier_before;
    int32_t enabled, modifier;
    bool sent;
  };
  const Case cases[] = {
      {R"(,"slowdown enable":"1","slowdown modifier":"6")", 0, 1, 1, 6, true},
      {R"(,"slowdown enable":"1","slowdown modifier":"0")", 0, 4, 1, 1, true},  // 0 becomes 1
      {R"(,"slowdown enable":"1")", 0, 4, 1, 4, true},                          // missing: kept
      {R"(,"slowdown enable":1,"slowdown modifier":null)", 0, 2, 1, 2, true},   // null: kept
      {R"(,"slowdown modifier":"6")", 1, 1, 0, 6, false},                       // missing enable: off
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.globals);
    SettingsSandbox sandbox;
    RecordingSettingsView view;
    tessaro::SlowdownEnabled = c.enabled_before;
    tessaro::SlowdownModifier = c.modifier_before;
    sandbox.WriteSettingsFile(Document("", c.globals));
    LoadButtonSettings(view);
    EXPECT_EQ(tessaro::SlowdownEnabled.load(), c.enabled);
    EXPECT_EQ(tessaro::SlowdownModifier.load(), c.modifier);
    EXPECT_EQ(fake_vxlib::CallsNamed("VX_SetSlowdoenModifier").size(), c.sent ? 1u : 0u);
    if (c.sent) {
      EXPECT_EQ(fake_vxlib::SlowdownModifier(), c.modifier);
    }
    const std::string shown = "ShowSlowdown " + std::to_string(c.enabled) + " " + std::to_string(c.modifier);
    EXPECT_EQ(view.calls, (Strings{shown, "InvalidateWindow", "StopRepaintTimer", "InvalidateWindow"}));
  }
}

TEST_F(SettingsLoadTest, TriggerSettingAsObjectLoadsGlobalsOnly) {
  Load(R"({"slowdown enable":"1","slowdown modifier":"2","trigger_setting":{"0":)" + Entry() + "}}");
  EXPECT_TRUE(CopyButtonSettingList().empty());
  EXPECT_EQ(tessaro::SlowdownModifier.load(), 2);
  EXPECT_EQ(view_.calls, (Strings{"ShowSlowdown 1 2", "InvalidateWindow", "StopRepaintTimer", "InvalidateWindow"}));
}

TEST_F(SettingsLoadTest, SkippedEntriesStillCountForSlot) {
  const std::string no_define = R"({"event":{"hid_button":"0x02"},"function_name":"x"})";
  const std::string null_event = R"({"event":null,"function_define":{"type":"1"}})";
  Load(Document(no_define + "," + null_event + "," + Entry()));
  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].trigger.slot, 2);
  EXPECT_EQ(list[0].trigger.hid_button, 0x08u);
  EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), 1u);
}

TEST_F(SettingsLoadTest, StoredHidEntryReplacesTheModelDefaultInPlace) {
  auto model = TestModel(0x09, 0x3408, 0x4b, 0x3a7c, 0x7a09, 2);
  AddHidDefault(model, 0x21, 0x22, 2, u"Copy", {1, 0x11, 0x43});
  AddHidDefault(model, 0x23, 0x24, 2, u"Paste", {1, 0x11, 0x56});
  AddHidDefault(model, 0x25, 0x26, 3, u"Mute", {1, 0xad});
  tessaro::Models().models = {model};
  const std::string stored_paste =
      R"({"event":{"hid_num_down":"35","hid_num_up":"36","model_id":"9","pid":"13320","vid":"75",)"
      R"("usb_vid":"0x3a7c","usb_pid":"0x7a09"},"function_define":{"type":"7","press":["0x01","0x05"]},)"
      R"("function_name":"Forward"})";
  Load(Document(stored_paste));

  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(tessaro::Utf16ToUtf8(list[1].function_name), "Forward");
  EXPECT_EQ(list[1].trigger.function.type, 7);
  EXPECT_EQ(list[1].trigger.slot, 0);
  const auto installed = fake_vxlib::InstalledTriggers();
  ASSERT_EQ(installed.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(SameApartFromSlot(installed[i], list[i].trigger)) << i;
}

TEST_F(SettingsLoadTest, StoredTypeNoneRemovesTheDefaultWithTheDefaultsTrigger) {
  auto model = TestModel(0x09, 0x3408);
  AddHidDefault(model, 0x21, 0x22, 2, u"Copy", {1, 0x11, 0x43});
  tessaro::Models().models = {model};
  Load(Document(R"({"event":{"hid_num_down":"33","hid_num_up":"34","model_id":"9","pid":"13320","vid":"75"},)"
                R"("function_define":{"type":"255"},"function_name":"Default"})"));
  EXPECT_TRUE(CopyButtonSettingList().empty());
  const auto removed = fake_vxlib::CallsNamed("VX_RemoveModelTriggerEvent");
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].trigger.function.type, 2);
  EXPECT_EQ(removed[0].trigger.function.press[2], 0x43);
}

TEST_F(SettingsLoadTest, AnEntryOfEveryKindIsAppliedOncePerKind) {
  Load(Document(Entry(R"(,"tilt_mask":"2","hid_num_down":"250","hid_num_up":"250")")));
  const auto set = fake_vxlib::CallsNamed("VX_SetTriggerEvent");
  ASSERT_EQ(set.size(), 3u);
  EXPECT_EQ(set[0].trigger.hid_button, 0x08u);
  EXPECT_EQ(set[0].trigger.tilt_mask, 0);
  EXPECT_EQ(set[0].trigger.hid_num_down, 0);
  EXPECT_EQ(set[1].trigger.hid_button, 0u);
  EXPECT_EQ(set[1].trigger.tilt_mask, 2);
  EXPECT_EQ(set[2].trigger.tilt_mask, 2);
  EXPECT_EQ(set[2].trigger.hid_num_down, 250);
}

TEST(SettingsLoad, FormatErrorsAreReportedAndPassedOver) {
  const std::string good = Entry();
  const std::string second = Entry(R"(,"hid_button":"0x10")");
  struct Case {
    const char* what;
    std::string file;
    size_t applied;
  };
  const Case cases[] = {
      {"not JSON", "{\"trigger_setting\":[", 0},
      {"empty file", "", 0},
      {"not an object", "[1,2]", 0},
      {"entry not an object", Document(good + ",5," + second), 2},
      {"event not an object", Document(good + R"(,{"event":"x","function_define":{}},)" + second), 2},
      {"press element not a text",
       Document(good +
                R"(,{"event":{"hid_button":"0x04"},)"
                R"("function_define":{"press":[1]}},)" +
                second),
       2},
      {"number member as boolean", Document(good + "," + Entry(R"(,"swap45":true)") + "," + second), 2},
      {"slowdown enable as array", R"({"slowdown enable":[1],"trigger_setting":[)" + good + "]}", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsSandbox sandbox;
    RecordingSettingsView view;
    sandbox.WriteSettingsFile(c.file);
    LoadButtonSettings(view);
    EXPECT_EQ(CopyButtonSettingList().size(), c.applied);
    EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), c.applied);
    ASSERT_GE(view.calls.size(), 3u);
    const Strings tail(view.calls.end() - 3, view.calls.end());
    EXPECT_EQ(tail, (Strings{"ShowMessage errr", "StopRepaintTimer", "InvalidateWindow"}));
    EXPECT_EQ(tessaro::SettingsLoaded.load(), 1);
  }
}

// The entries around a bad one are applied; the bad one is reported when a
// load meets it in a file it has not reported yet, and stays in the file as
// it was, after the list's entries, through every save until someone
// repairs it.
TEST_F(SettingsLoadTest, AnEntryOfTheWrongFormatIsKeptThroughSaves) {
  const std::string bad = Entry(R"(,"hid_button":"0x10","swap45":true)", R"("5")", "Paste");
  Load(Document(Entry() + "," + bad + "," + Entry(R"(,"hid_button":"0x20")", R"("4")", "Cut")));
  EXPECT_EQ(view_.calls.end()[-3], "ShowMessage errr");
  const auto model = TestModel(13, 0x8106);
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(model, 6), 6, u"Undo"));
  ASSERT_TRUE(tessaro::SaveButtonSettings());

  const std::string saved = sandbox_.ReadSettingsFile();
  const auto document = nlohmann::json::parse(saved);
  EXPECT_EQ(document.dump(), saved);  // compact, keys in order
  const auto& entries = document.at("trigger_setting");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].at("event").at("hid_button"), "0x08");
  EXPECT_EQ(entries[1].at("event").at("hid_button"), "0x20");
  EXPECT_EQ(entries[2].at("event").at("hid_button"), "0x40");
  EXPECT_EQ(entries[3], nlohmann::json::parse(bad));

  view_.calls.clear();
  LoadButtonSettings(view_);
  EXPECT_EQ(CopyButtonSettingList().size(), 3u);
  EXPECT_EQ(view_.calls.end()[-3], "ShowMessage errr");
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(sandbox_.ReadSettingsFile(), saved);

  std::string repaired = saved;
  repaired.replace(repaired.find("true"), 4, R"("1")");
  view_.calls.clear();
  Load(repaired);
  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3].trigger.hid_button, 0x10u);
  EXPECT_EQ(list[3].trigger.swap45, 1);
  EXPECT_EQ(std::count(view_.calls.begin(), view_.calls.end(), "ShowMessage errr"), 0);
  ASSERT_TRUE(tessaro::SaveButtonSettings());
  EXPECT_EQ(nlohmann::json::parse(sandbox_.ReadSettingsFile()).at("trigger_setting").size(), 4u);
}

// Every device refresh loads the file again: a file that cannot be read is
// reported at the first of them, and again only once it has changed.
TEST_F(SettingsLoadTest, AnUnreadableFileIsReportedOnceUntilItChanges) {
  const std::string bad = "{\"trigger_setting\":[";
  const std::string other_bad = "[1,2]";
  struct Step {
    const char* what;
    const char* file;  // null: no file
    bool message;
  };
  const Step steps[] = {
      {"first load", bad.c_str(), true},
      {"the same file again", bad.c_str(), false},
      {"and again", bad.c_str(), false},
      {"another unreadable text", other_bad.c_str(), true},
      {"back to the first", bad.c_str(), true},
      {"a readable file", "{}", false},
      {"the first once more, after a load without message", bad.c_str(), true},
      {"the file removed", nullptr, false},
      {"the first once more, after a load without file", bad.c_str(), true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    view_.calls.clear();
    if (step.file) {
      Load(step.file);
    } else {
      std::remove(sandbox_.FilePath().c_str());
      LoadButtonSettings(view_);
    }
    const bool message = std::find(view_.calls.begin(), view_.calls.end(), "ShowMessage errr") != view_.calls.end();
    EXPECT_EQ(message, step.message);
    EXPECT_EQ(tessaro::SettingsLoaded.load(), 1);
  }
}

TEST_F(SettingsLoadTest, OverlongValuesAreCutToTheirFields) {
  const std::string long_name(100, 'n');
  const std::string long_url(300, 'u');
  std::string press = R"("0x01")";
  for (int i = 1; i < 300; ++i) press += R"(,"0x7f")";
  Load(Document(R"({"event":{"hid_button":"0x08"},"function_define":{"type":"4","url":")" + long_url +
                R"(","press":[)" + press + R"(],"release":[)" + press + R"(]},"function_name":")" + long_name +
                R"("})"));
  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(tessaro::Utf16ToUtf8(list[0].function_name), long_name.substr(0, 63));
  EXPECT_EQ(tessaro::Utf16ToUtf8(list[0].trigger.function.url), long_url.substr(0, 255));
  EXPECT_EQ(list[0].trigger.function.press[255], 0x7f);
  EXPECT_EQ(list[0].trigger.function.release[255], 0x7f);
}

TEST(SettingsLoad, StoredLanguageId) {
  struct Case {
    const char* file;  // null: no file
    int32_t expected;
  };
  const Case cases[] = {
      {nullptr, 1049},
      {R"({"language id":"1041"})", 1041},
      {R"({"language id":1042})", 1042},
      {R"({"language id":null})", 1049},
      {R"({"setting_ver":"2"})", 1049},
      {R"({"language id":[1041]})", 1049},
      {"not json", 1049},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "no file");
    SettingsSandbox sandbox;
    if (c.file) sandbox.WriteSettingsFile(c.file);
    EXPECT_EQ(tessaro::ReadStoredLanguageId(1049), c.expected);
  }
}

}  // namespace
