#include "catalog/language_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "catalog/message_box.h"
#include "catalog/package_platform.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/temp_app_folder.h"

namespace {

using tessaro::LanguageTable;
using tessaro::TakeShownMessages;
using Messages = std::vector<std::u16string>;

class LanguageTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_vxlib::Reset();
    Embed({});
    TakeShownMessages();
  }
  void TearDown() override {
    fake_vxlib::Reset();
    Embed({});
  }

  // The executable's embedded table; no bytes: none embedded.
  static void Embed(std::vector<uint8_t> bytes) {
    tessaro::platform::SetModuleResource(tessaro::kLanguageResourceId, std::move(bytes));
  }
  static void EmbedShippedTable() { Embed(test_support::ReadFileBytes(TESSARO_DATA_DIR "/language.json")); }

  test_support::TempAppFolder folder_;
  LanguageTable table_;
};

TEST_F(LanguageTableTest, ErrorTextZeroFollowsTheLanguageAndComesFirst) {
  const struct {
    int32_t lcid;
    std::u16string error_text;
    std::u16string language_name;
  } cases[] = {
      {1041, u"選択範囲が長すぎます。範囲を狭めてください", u"日本語"},
      {1042, u"The selection is too long.", u"한국어"},
      {1028, u"選取內容太長,請縮小範圍", u"中文(繁體)"},
      {2052, u"选取内容太长,请缩小范围", u"中文(简体)"},
      {1034, u"The selection is too long.", u"English"},  // no section: English texts
  };
  for (const auto& c : cases) {
    fake_vxlib::Reset();
    EmbedShippedTable();
    table_.Load(c.lcid);
    const auto calls = fake_vxlib::Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().op, "VX_SetErrStr") << c.lcid;
    EXPECT_EQ(calls.front().args, std::vector<int>{0}) << c.lcid;
    EXPECT_EQ(calls.front().text, c.error_text) << c.lcid;
    EXPECT_EQ(table_.Text(u"language name"), c.language_name) << c.lcid;
  }
  EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_F(LanguageTableTest, AFileBesideTheExecutableReplacesTheEmbeddedTable) {
  EmbedShippedTable();
  folder_.WriteFile("language.json", R"({"1031": {"language name": "Deutsch", "ok": "OK!"}})");
  table_.Load(1031);
  EXPECT_EQ(table_.Text(u"ok"), u"OK!");
  EXPECT_TRUE(TakeShownMessages().empty());

  table_.Load(1033);  // the fallback section is missing in that file
  EXPECT_EQ(TakeShownMessages(), Messages{u"no language file"});
  EXPECT_TRUE(table_.Texts()->empty());
  EXPECT_EQ(table_.Text(u"ok"), u"");
}

TEST_F(LanguageTableTest, DocumentsWithoutALanguageReportIt) {
  const struct {
    const char* name;
    bool file;  // else embedded
    std::string document;
    Messages messages;
  } cases[] = {
      {"empty file, embedded table present", true, "", {u"no language file"}},
      {"nothing at all", false, "", {u"no language file"}},
      {"not JSON", true, "{\"1033\": {", {u"load language err", u"no language file"}},
      {"top level not an object", true, R"([{"1033": {}}])", {u"load language err", u"no language file"}},
      {"section not an object", true, R"({"1033": 5})", {u"load language err"}},
      {"embedded, not JSON", false, "{{", {u"load language err", u"no language file"}},
      {"text after a zero byte is ignored", true, std::string(R"({"1033": {}})") + '\0' + "garbage", {}},
  };
  for (const auto& c : cases) {
    fake_vxlib::Reset();
    Embed({});
    folder_.Remove("language.json");
    if (c.file) {
      EmbedShippedTable();
      folder_.WriteFile("language.json", c.document);
    } else if (!c.document.empty()) {
      Embed({c.document.begin(), c.document.end()});
    }
    LanguageTable table;
    table.Load(1033);
    EXPECT_EQ(TakeShownMessages(), c.messages) << c.name;
    EXPECT_EQ(table.Text(u"language name"), u"") << c.name;
  }
}

TEST_F(LanguageTableTest, KeysMissingFromTheSectionStayEmptyAndNothingLingers) {
  folder_.WriteFile("language.json", R"({
    "1033": {"a": "A", "reset prompt": "Reset?", "number": 5},
    "1031": {"a": "AA"}
  })");
  table_.Load(1033);
  EXPECT_EQ(table_.Text(u"reset prompt"), u"Reset?");
  EXPECT_EQ(table_.Texts()->count(u"number"), 1u);  // not a text: stored empty
  EXPECT_EQ(table_.Text(u"number"), u"");

  table_.Load(1031);
  EXPECT_EQ(table_.Text(u"a"), u"AA");
  EXPECT_EQ(table_.Text(u"reset prompt"), u"");  // no fallback to "1033" per key
  EXPECT_EQ(table_.Texts()->size(), 1u);
  EXPECT_TRUE(TakeShownMessages().empty());
}

TEST_F(LanguageTableTest, ListIsBuiltOnceInKeyTextOrder) {
  const std::string long_name(200, 'x');
  folder_.WriteFile("language.json", R"({"1033": ["broken"]})");
  table_.Load(1033);  // parses: the list is built even though the section is broken
  TakeShownMessages();
  LanguageTable later;
  folder_.WriteFile("language.json", "not json");
  later.Load(1033);  // does not parse: the list of this table stays unbuilt
  TakeShownMessages();
  folder_.WriteFile("language.json", R"json({
    "3082": {"language name": "Español"},
    "999": {"language name": ")json" + long_name +
                                         R"json("},
    "1028": {"language name": "中文(繁體)"},
    "abc": {"ok": "no name"},
    "1031": 7
  })json");
  later.Load(1033);
  const auto rows = later.List();
  const std::vector<std::pair<std::u16string, int32_t>> expected = {
      {u"中文(繁體)", 1028}, {u"", 1031}, {u"Español", 3082}, {std::u16string(127, u'x'), 999}, {u"", 0}};
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::u16string(rows[i].name), expected[i].first) << i;
    EXPECT_EQ(rows[i].function_index, expected[i].second) << i;
    EXPECT_EQ(rows[i].kind, tessaro::kRowItem);
    EXPECT_EQ(rows[i].parent, 0);
    EXPECT_EQ(rows[i].image, nullptr);
  }

  folder_.WriteFile("language.json", R"({"1033": {"language name": "English"}})");
  later.Load(1033);
  EXPECT_EQ(later.List().size(), expected.size());  // not rebuilt
  ASSERT_EQ(table_.List().size(), 1u);
  EXPECT_EQ(table_.List()[0].function_index, 1033);
}

TEST_F(LanguageTableTest, SetTextReplacesOneEntryWithoutTouchingSnapshots) {
  folder_.WriteFile("language.json", R"({"1033": {"dbclick mode": "from the table", "ok": "Ok"}})");
  table_.Load(1033);
  const auto before = table_.Texts();
  table_.SetText(u"dbclick mode", u"Double click mode");
  EXPECT_EQ(table_.Text(u"dbclick mode"), u"Double click mode");
  EXPECT_EQ(table_.Text(u"ok"), u"Ok");
  EXPECT_EQ(before->at(u"dbclick mode"), u"from the table");
}

TEST_F(LanguageTableTest, ReadersNeverSeeAHalfBuiltTable) {
  std::string document = "{";
  for (const char* lcid : {"1033", "1031"}) {
    document += std::string(document.size() > 1 ? "," : "") + "\"" + lcid + "\": {";
    for (int k = 0; k < 200; ++k) document += (k ? "," : "") + ("\"key" + std::to_string(k) + "\": \"" + lcid + "\"");
    document += "}";
  }
  document += "}";
  folder_.WriteFile("language.json", document);
  table_.Load(1033);

  std::atomic<bool> done = false;
  std::thread loader([&] {
    for (int i = 0; i < 40; ++i) table_.Load(i % 2 ? 1031 : 1033);
    done = true;
  });
  int reads = 0;
  while (!done || reads == 0) {
    const auto texts = table_.Texts();
    ASSERT_EQ(texts->size(), 200u);
    const std::u16string first = texts->at(u"key0");
    for (const auto& [key, text] : *texts) ASSERT_EQ(text, first);
    const std::u16string one = table_.Text(u"key199");
    ASSERT_TRUE(one == u"1033" || one == u"1031");
    ++reads;
  }
  loader.join();
  EXPECT_TRUE(TakeShownMessages().empty());
}

}  // namespace
