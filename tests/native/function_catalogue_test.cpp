#include "catalog/function_catalogue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "catalog/function_icon.h"
#include "catalog/function_image_cache.h"
#include "catalog/language_table.h"
#include "catalog/message_box.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/temp_app_folder.h"

namespace {

using nlohmann::json;
using tessaro::FunctionCatalogueSnapshot;
using tessaro::RowArray;
using Texts = std::vector<std::u16string>;

json Function(const std::string& english, int type, const std::vector<std::string>& press = {}) {
  return {{"function_name", {{"1033", english}}},
          {"function_define", {{"type", type}, {"url", ""}, {"press", press}, {"release", json::array()}}}};
}

json With(json element, const json& keys) {
  element.update(keys);
  return element;
}

const json kLevelReturn = {{"level_return", 1}};

Texts Names(const RowArray& rows) {
  Texts names;
  for (const auto& row : rows) names.emplace_back(row.name);
  return names;
}

class FunctionCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_vxlib::Reset();
    tessaro::TakeShownMessages();
    tessaro::TakeDecodedIcons();
    tessaro::LanguageId = 1033;
    tessaro::PreviousLanguageId = -1;
  }
  void TearDown() override {
    fake_vxlib::Reset();
    tessaro::LanguageId = 1033;
    tessaro::PreviousLanguageId = -1;
  }

  void Load(const json& document, std::vector<pkgtool::Member> extra = {}) {
    extra.insert(extra.begin(), test_support::TextMember("function_tirro/function.json", document.dump()));
    folder_.WritePackage("function.pkg", extra);
    tessaro::LoadFunctionCatalogue();
  }

  // Icon names unique to the running test: the icon cache lives for the
  // whole process.
  static std::string Icon(const std::string& name) {
    return std::string("image/") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }

  test_support::TempAppFolder folder_;
};

TEST_F(FunctionCatalogueTest, DocumentIsTheFirstMemberNamedFunctionJsonInAnyFolderAndCase) {
  const struct {
    std::vector<std::string> members;  // each holds one function named after the member
    std::string used;                  // empty: no document
  } cases[] = {
      {{"function_tirro/function.json"}, "function_tirro/function.json"},
      {{"deep/er/Function.JSON"}, "deep/er/Function.JSON"},
      {{"function.json"}, "function.json"},
      {{"function_tirro/Function - Copy.json", "function_tirro/function.json"}, "function_tirro/function.json"},
      {{"function_tirro/function.json", "function_tirro/Function - Copy.json"}, "function_tirro/function.json"},
      {{"x/function.json", "y/FUNCTION.json"}, "x/function.json"},
      {{"function_tirro/myfunction.json", "function_tirro/function.json.bak", "/function.json"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<pkgtool::Member> members;
    for (const auto& name : c.members)
      members.push_back(test_support::TextMember(name, json::array({Function(name, 1)}).dump()));
    folder_.WritePackage("function.pkg", members);
    tessaro::LoadFunctionCatalogue();
    const auto catalogue = FunctionCatalogueSnapshot();
    EXPECT_EQ(Names(catalogue->function_rows), c.used.empty() ? Texts{} : Texts{tessaro::Utf8ToUtf16(c.used)})
        << c.members.front();
  }
  EXPECT_TRUE(tessaro::TakeShownMessages().empty());
}

TEST_F(FunctionCatalogueTest, FoldersHoldTheElementsUpToTheirLevelReturn) {
  Load(json::array({
      Function("f0", 1),
      kLevelReturn,
      Function("f2", 1),
      With(Function("folder3", 1), {{"folder", 1}}),
      Function("f4", 1),
      With(Function("folder5", 1), {{"folder", 1}, {"function_define", nullptr}}),
      Function("f6", 1),
      kLevelReturn,
      Function("f8", 1),
      kLevelReturn,
      kLevelReturn,
      Function("f11", 1),
  }));
  const auto catalogue = FunctionCatalogueSnapshot();
  const struct {
    int32_t index, parent, kind;
  } expected[] = {{0, 0, 0}, {2, 0, 0}, {3, 0, 1}, {4, 3, 0}, {5, 3, 1}, {6, 5, 0}, {8, 3, 0}, {11, 0, 0}};
  ASSERT_EQ(catalogue->function_rows.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const auto& row = catalogue->function_rows[i];
    EXPECT_EQ(row.index, expected[i].index) << i;
    EXPECT_EQ(row.parent, expected[i].parent) << i;
    EXPECT_EQ(row.kind, expected[i].kind) << i;
  }
  // Folders make no definition; function rows point at theirs in order.
  EXPECT_EQ(catalogue->function_defs.size(), 6u);
  EXPECT_EQ(catalogue->function_rows[6].function_index, 4);
  EXPECT_EQ(Names(catalogue->hid_function_rows), Names(catalogue->function_rows));
}

TEST_F(FunctionCatalogueTest, HidKeysChooseTheListsButSeparatorsGoToBoth) {
  const json none = json::object();
  const json hid_only = {{"hid_only", 1}};
  const json hid_no = {{"hid_no", 1}};
  const json both = {{"hid_only", 1}, {"hid_no", 1}};
  Load(json::array({
      With(Function("plain", 1), none),
      With(Function("hid only", 1), hid_only),
      With(Function("hid no", 1), hid_no),
      With(Function("both keys", 1), both),
      With(Function("mid no", 1), {{"mid_no", 1}}),
      With(json{{"line", 1}}, hid_only),
      With(json{{"line", 1}}, hid_no),
      With(Function("hid only folder", 1), {{"folder", 1}, {"hid_only", 1}}),
  }));
  const auto catalogue = FunctionCatalogueSnapshot();
  EXPECT_EQ(Names(catalogue->function_rows), (Texts{u"plain", u"hid no", u"mid no", u"", u""}));
  EXPECT_EQ(Names(catalogue->hid_function_rows),
            (Texts{u"plain", u"hid only", u"both keys", u"mid no", u"", u"", u"hid only folder"}));
  for (const RowArray* rows : {&catalogue->function_rows, &catalogue->hid_function_rows}) {
    int separators = 0;
    for (const auto& row : *rows) separators += row.kind == tessaro::kRowSeparator;
    EXPECT_EQ(separators, 2);
  }
}

TEST_F(FunctionCatalogueTest, WindowsElevenElementsAreLeftOutElsewhereButTheirIconIsCached) {
  const std::string icon = Icon("swipe.png");
  const json document = json::array({
      With(Function("Swipe left", 10), {{"os", "win11"}, {"image_file", icon}}),
      With(Function("Other os", 10), {{"os", "win10"}}),
      With(json{{"line", 1}}, {{"os", "win11"}}),
  });
  fake_vxlib::SetWin11(false);
  Load(document, {{icon, {0x89, 'P', 'N', 'G'}}});
  auto catalogue = FunctionCatalogueSnapshot();
  EXPECT_EQ(Names(catalogue->function_rows), Texts{u"Other os"});
  EXPECT_EQ(catalogue->function_defs.size(), 1u);
  EXPECT_NE(tessaro::FunctionImages().Find(tessaro::Utf8ToUtf16(icon)), nullptr);

  fake_vxlib::SetWin11(true);
  Load(document, {{icon, {0x89, 'P', 'N', 'G'}}});
  catalogue = FunctionCatalogueSnapshot();
  ASSERT_EQ(Names(catalogue->function_rows), (Texts{u"Swipe left", u"Other os", u""}));
  EXPECT_EQ(catalogue->function_rows[0].icon, tessaro::FunctionImages().Find(tessaro::Utf8ToUtf16(icon)));
}

TEST_F(FunctionCatalogueTest, SpecialKeyAndWindowsTenTypesFollowTheirListingRules) {
  Load(json::array({
      Function("rapid fire", 22, {"0x00", "0x0c", "0x12"}),
      Function("rapid fire, other rate", 22, {"0x00", "0x0c", "0x11"}),
      With(Function("hid rapid fire", 22, {"0", "12", "18"}), {{"hid_only", 1}}),
      With(Function("task view", 20), {{"hid_only", 1}}),
  }));
  const auto catalogue = FunctionCatalogueSnapshot();
  EXPECT_EQ(catalogue->function_defs.size(), 4u);
  // The system stands in as Windows 10: type 20 is offered, in the standard list only.
  ASSERT_EQ(Names(catalogue->function_rows), (Texts{u"rapid fire", u"task view"}));
  EXPECT_EQ(Names(catalogue->hid_function_rows), (Texts{u"rapid fire", u"hid rapid fire"}));
  EXPECT_EQ(catalogue->function_rows[1].function_index, 3);
  EXPECT_EQ(catalogue->function_rows[1].function_type, 20);
}

TEST_F(FunctionCatalogueTest, NamesComeFromTheCurrentLanguageOrEnglish) {
  const json names = {{"1033", "Copy"}, {"1031", "Kopieren"}, {"1041", "コピー"}};
  const json document = json::array({
      With(Function("", 2), {{"function_name", names}}),
      With(Function("", 2), {{"function_name", {{"1033", "Paste"}}}}),
      With(Function("", 2), {{"function_name", {{"1036", "Coller"}}}}),
      With(Function("", 2), {{"function_name", nullptr}}),
      With(json{{"function_name", names}}, json::object()),  // neither folder nor function
  });
  const struct {
    int32_t language, previous;
    Texts rows;
    std::unordered_map<std::u16string, std::u16string> translation;
  } cases[] = {
      {1031, -1, {u"Kopieren", u"Paste", u""}, {}},
      {1031, 1031, {u"Kopieren", u"Paste", u""}, {}},
      {1041, 1031, {u"コピー", u"Paste", u""}, {{u"Kopieren", u"コピー"}}},
      {1033, 1041, {u"Copy", u"Paste", u""}, {{u"コピー", u"Copy"}}},
      {1036, 1033, {u"Copy", u"Paste", u"Coller"}, {{u"Copy", u"Copy"}, {u"Paste", u"Paste"}}},
  };
  for (const auto& c : cases) {
    tessaro::LanguageId = c.language;
    tessaro::PreviousLanguageId = c.previous;
    Load(document);
    const auto catalogue = FunctionCatalogueSnapshot();
    EXPECT_EQ(Names(catalogue->function_rows), c.rows) << c.language << " from " << c.previous;
    EXPECT_EQ(catalogue->function_name_translation, c.translation) << c.language << " from " << c.previous;
  }
}

TEST_F(FunctionCatalogueTest, DefinitionsCarryTheirBytesAndTextsCutToTheirFields) {
  const std::string long_url = "https://example.org/" + std::string(300, 'u');
  const std::string long_name(200, 'n');
  Load(json::array({
      Function("Default", 255),
      With(Function(long_name, 9, {"0x01"}),
           {{"function_define", {{"type", 9}, {"url", long_url}, {"press", {"0x01"}}, {"release", {"0x00"}}}},
            {"disable_mask", 5}}),
      With(Function("Scroll up", 6, {"0x01", "0x01", "0x00"}), {{"hid_only", 1}}),
      With(Function("Scroll down", 6, {"0x01", "0xff", "0x00"}), {{"hid_only", 1}}),
      With(Function("Scroll down, standard", 6, {"0x01", "0xff", "0x01"}), {{"hid_no", 1}}),
      Function("Last default", 0x1FF),
      Function("Copy", 2, {"0x01", "0x11", "0x43"}),
  }));
  const auto catalogue = FunctionCatalogueSnapshot();
  ASSERT_EQ(catalogue->function_defs.size(), 7u);
  ASSERT_EQ(catalogue->function_rows.size(), 5u);
  ASSERT_EQ(catalogue->hid_function_rows.size(), 6u);
  EXPECT_EQ(catalogue->default_function_name, u"Last default");
  EXPECT_EQ(catalogue->function_defs[5].type, 255);
  const VX_FUNCTION_DEF& web = catalogue->function_defs[1];
  EXPECT_EQ(tessaro::FieldLength(web.url, std::size(web.url)), 255u);
  EXPECT_EQ(tessaro::Utf16ToUtf8(web.url), long_url.substr(0, 255));
  EXPECT_EQ(web.release[0], 0);
  const auto& web_row = catalogue->function_rows[1];
  EXPECT_EQ(tessaro::Utf16ToUtf8(web_row.name), long_name.substr(0, 127));
  EXPECT_EQ(web_row.disable_mask, 5);
  EXPECT_EQ(web_row.function_type, 9);
  const VX_FUNCTION_DEF& copy = catalogue->function_defs[6];
  EXPECT_EQ(copy.press[1], 0x11);
  EXPECT_EQ(copy.press[2], 0x43);
  EXPECT_EQ(copy.press[3], 0);
  // HID list: Default, web, Scroll up, Scroll down, Last default, Copy.
  EXPECT_EQ(catalogue->hid_plus_one_row, 2);
  EXPECT_EQ(catalogue->hid_minus_one_row, 3);
  EXPECT_EQ(std::u16string(catalogue->hid_function_rows[3].name), u"Scroll down");
}

TEST_F(FunctionCatalogueTest, WithoutHidOnlyStepsThePairedRowsAreNone) {
  Load(json::array({Function("Scroll up", 6, {"0x01", "0x01", "0x00"})}));
  EXPECT_EQ(FunctionCatalogueSnapshot()->hid_plus_one_row, -1);
  EXPECT_EQ(FunctionCatalogueSnapshot()->hid_minus_one_row, -1);
}

TEST_F(FunctionCatalogueTest, AnElementWithKeysOfTheWrongTypeIsLeftOutAlone) {
  tessaro::PreviousLanguageId = 1031;
  Load(json::array({
      With(Function("boolean key", 1), {{"hid_only", true}}),
      With(Function("array folder", 1), {{"folder", json::array({1})}}),
      With(Function("number press byte", 1), {{"function_define", {{"type", 1}, {"press", {1}}}}}),
      With(Function("object type", 1),
           {{"function_define", {{"type", json::object()}}}, {"function_name", {{"1031", "x"}, {"1033", "y"}}}}),
      Function("kept", 1),
      "not an element",
      Function("also kept", 1),
  }));
  const auto catalogue = FunctionCatalogueSnapshot();
  ASSERT_EQ(Names(catalogue->function_rows), (Texts{u"kept", u"also kept"}));
  ASSERT_EQ(catalogue->function_defs.size(), 2u);
  EXPECT_EQ(catalogue->function_rows[1].function_index, 1);
  EXPECT_EQ(catalogue->function_rows[1].index, 6);
  EXPECT_EQ(catalogue->function_rows[1].parent, 0);  // the broken folder opened nothing
  EXPECT_TRUE(catalogue->function_name_translation.empty());
  EXPECT_TRUE(tessaro::TakeShownMessages().empty());
}

TEST_F(FunctionCatalogueTest, UnusableDocumentsLeaveAnEmptyCatalogue) {
  const struct {
    const char* name;
    std::string document;  // empty: no package at all
    Texts messages;
  } cases[] = {
      {"not JSON", "[{\"function_name\": ", {u"function load err"}},
      {"root is an object", R"({"function_name": {"1033": "x"}})", {}},
      {"no package", "", {}},
  };
  for (const auto& c : cases) {
    Load(json::array({Function("from before", 1)}));
    ASSERT_EQ(FunctionCatalogueSnapshot()->function_rows.size(), 1u);
    if (c.document.empty()) {
      folder_.Remove("function.pkg");
    } else {
      folder_.WritePackage("function.pkg", {test_support::TextMember("function_tirro/function.json", c.document)});
    }
    tessaro::LoadFunctionCatalogue();
    const auto catalogue = FunctionCatalogueSnapshot();
    EXPECT_TRUE(catalogue->function_rows.empty()) << c.name;
    EXPECT_TRUE(catalogue->hid_function_rows.empty()) << c.name;
    EXPECT_TRUE(catalogue->function_defs.empty()) << c.name;
    EXPECT_EQ(tessaro::TakeShownMessages(), c.messages) << c.name;
  }
}

TEST_F(FunctionCatalogueTest, LoadSetsTheDoubleClickModeText) {
  tessaro::Languages().SetText(u"dbclick mode", u"from the language table");
  Load(json::array());
  EXPECT_EQ(tessaro::LanguageText(u"dbclick mode"), u"Double click mode");
}

// Icons are read at the load but decoded when a list first draws them,
// once per name, a broken one too; a row held by an open list stays valid
// through a reload.
TEST_F(FunctionCatalogueTest, IconsAreDecodedWhenFirstDrawnOnceEvenAcrossReloads) {
  using Bytes = std::vector<uint8_t>;
  const std::string copy = Icon("copy.png"), broken = Icon("broken.png"), missing = Icon("missing.png");
  const json document = json::array({
      json{{"image_file", copy}, {"image", 1}},
      With(Function("Copy", 2), {{"image_file", copy}}),
      With(Function("Broken", 2), {{"image_file", broken}}),
      With(Function("Missing", 2), {{"image_file", missing}}),
      With(Function("No icon", 2), {{"image_file", ""}}),
  });
  const Bytes copy_file = {0x89, 'P', 'N', 'G', 1}, broken_file = {'G', 'I', 'F'};
  Load(document, {{copy, copy_file}, {broken, broken_file}});
  RowArray held = FunctionCatalogueSnapshot()->function_rows;
  ASSERT_EQ(Names(held), (Texts{u"Copy", u"Broken", u"Missing", u"No icon"}));
  EXPECT_EQ(held[3].icon, nullptr);
  EXPECT_TRUE(tessaro::TakeDecodedIcons().empty());

  // A language switch while the list is open: the held rows still draw,
  // with the pictures of the first load.
  Load(document, {{copy, {0x89, 'P', 'N', 'G', 2}}});
  const auto reloaded = FunctionCatalogueSnapshot();
  for (size_t i = 0; i < held.size(); ++i) EXPECT_EQ(reloaded->function_rows[i].icon, held[i].icon) << i;
  EXPECT_TRUE(tessaro::TakeDecodedIcons().empty());

  // Two threads draw the row for the first time together.
  void* drawn[2] = {};
  std::thread other([&] { drawn[1] = tessaro::RowPicture(held[0]); });
  drawn[0] = tessaro::RowPicture(held[0]);
  other.join();
  ASSERT_NE(drawn[0], nullptr);
  EXPECT_EQ(drawn[1], drawn[0]);
  EXPECT_EQ(*static_cast<Bytes*>(drawn[0]), copy_file);
  for (const auto& row : held) EXPECT_EQ(tessaro::RowPicture(row), row.icon == held[0].icon ? drawn[0] : nullptr);
  for (const auto& row : held) tessaro::RowPicture(row);
  EXPECT_EQ(tessaro::TakeDecodedIcons(), (std::vector<Bytes>{copy_file, broken_file}));
}

TEST_F(FunctionCatalogueTest, ReadersAlwaysHoldAWholeCatalogue) {
  json document = json::array();
  for (int i = 0; i < 100; ++i) document.push_back(Function("f" + std::to_string(i), 1));
  Load(document);
  std::atomic<bool> done = false;
  std::thread loader([&] {
    for (int i = 0; i < 20; ++i) tessaro::LoadFunctionCatalogue();
    done = true;
  });
  int reads = 0;
  while (!done || reads == 0) {
    const auto catalogue = FunctionCatalogueSnapshot();
    ASSERT_EQ(catalogue->function_rows.size(), 100u);
    ASSERT_EQ(catalogue->function_defs.size(), 100u);
    for (const auto& row : catalogue->function_rows)
      ASSERT_LT(static_cast<size_t>(row.function_index), catalogue->function_defs.size());
    ++reads;
  }
  loader.join();
}

}  // namespace
