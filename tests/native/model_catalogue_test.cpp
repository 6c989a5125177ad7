#include "catalog/model_catalogue.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/temp_app_folder.h"

namespace {

using nlohmann::json;
using tessaro::MODEL_DEF;
using tessaro::ModelItem;

json Model(const std::string& name, const json& define = json::object()) {
  json model = {{"model_name", name},
                {"model_image", "01_2103.png"},
                {"model_define", {{"model_id", "0x01"}, {"button", "0x0007"}, {"vid", "0x4b"}, {"type", 1}}}};
  model["model_define"].update(define);
  return model;
}

json Entries(size_t count, const std::function<json(int)>& entry) {
  json list = json::array();
  for (size_t i = 0; i < count; ++i) list.push_back(entry(static_cast<int>(i)));
  return list;
}

std::vector<std::u16string> Names(const ModelItem& catalogue) {
  std::vector<std::u16string> names;
  for (const auto& model : catalogue.models) names.push_back(model.model_name);
  return names;
}

class ModelCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { tessaro::LanguageId = 1033; }
  void TearDown() override { tessaro::LanguageId = 1033; }

  // Parses one document into a fresh catalogue.
  static ModelItem Parsed(const json& document) {
    ModelItem catalogue;
    catalogue.ParseModel(document.dump());
    return catalogue;
  }

  test_support::TempAppFolder folder_;
};

TEST_F(ModelCatalogueTest, PackageMembersAreChosenByTheEndOfTheirNames) {
  const std::vector<std::string> names = {"m/a/model.json", "m/b/Model.JSON",     "m/c/mymodel.json",
                                          "model.json",     "m/d/model.json.bak", "m/e/model.jsonx"};
  std::vector<pkgtool::Member> members;
  for (const auto& name : names) members.push_back(test_support::TextMember(name, Model(name).dump()));
  members.push_back(test_support::TextMember("m/Ver.JSON", R"({"ver": "1.0.7"})"));
  folder_.WritePackage("model.pkg", members);
  const auto bytes = test_support::ReadFileBytes(folder_.path() / "model.pkg");

  ModelItem from_memory;
  from_memory.models.resize(3);  // replaced, not appended to
  from_memory.Load(u"", bytes.data(), bytes.size());
  const std::vector<std::u16string> expected = {u"m/a/model.json", u"m/b/Model.JSON", u"m/c/mymodel.json",
                                                u"model.json"};
  EXPECT_EQ(Names(from_memory), expected);
  EXPECT_EQ(from_memory.ver, u"1.0.7");

  ModelItem from_file;
  from_file.Load(tessaro::Utf8ToUtf16((folder_.path() / "model.pkg").string()), nullptr, 0);
  EXPECT_EQ(Names(from_file), expected);
}

TEST_F(ModelCatalogueTest, VersionComesOnlyFromAParsableVerJsonInAFolder) {
  const struct {
    const char* member;
    const char* text;
    std::u16string ver;
  } cases[] = {
      {"model_korvane/ver.json", R"({"ver": "2.1"})", u"2.1"},
      {"ver.json", R"({"ver": "2.1"})", u""},  // no folder part before the name
      {"model_korvane/ver.json", R"({"ver": 21})", u""},
      {"model_korvane/ver.json", R"({"ver": )", u""},
  };
  for (const auto& c : cases) {
    folder_.WritePackage("model.pkg", {test_support::TextMember(c.member, c.text)});
    ModelItem catalogue;
    catalogue.Load(tessaro::Utf8ToUtf16((folder_.path() / "model.pkg").string()), nullptr, 0);
    EXPECT_EQ(catalogue.ver, c.ver) << c.member << " " << c.text;
  }
}

TEST_F(ModelCatalogueTest, AnUnreadablePackageLeavesTheCatalogueEmpty) {
  folder_.WriteFile("model.pkg", "not a zip archive");
  ModelItem catalogue;
  catalogue.ParseModel(Model("old").dump());
  catalogue.Load(tessaro::Utf8ToUtf16((folder_.path() / "model.pkg").string()), nullptr, 0);
  EXPECT_TRUE(catalogue.models.empty());
}

TEST_F(ModelCatalogueTest, KindTwoModelsWithUsbIdsGetASecondEntryWithoutThem) {
  const struct {
    json define;
    size_t entries;
  } cases[] = {
      {{{"type", 2}, {"usb_vid", "0x046d"}, {"usb_pid", 4096}}, 2},
      {{{"type", 2}, {"usb_pid", 4096}}, 2},
      {{{"type", 2}, {"usb_vid", 0}, {"usb_pid", 0}}, 1},
      {{{"type", 1}, {"usb_pid", 4096}}, 1},
  };
  for (const auto& c : cases) {
    const ModelItem catalogue = Parsed(Model("m", c.define));
    ASSERT_EQ(catalogue.models.size(), c.entries) << c.define;
    const MODEL_DEF& last = catalogue.models.back();
    if (c.entries == 2) {
      EXPECT_EQ(last.usb_vid, 0);
      EXPECT_EQ(last.usb_pid, 0);
      EXPECT_EQ(last.model_id, catalogue.models[0].model_id);
      EXPECT_EQ(last.vid, 0x4b);
      EXPECT_EQ(catalogue.models[0].usb_pid, 4096);
    }
  }
}

TEST_F(ModelCatalogueTest, DefinitionValuesAreReadWithThePrimaryButtonCleared) {
  const ModelItem catalogue = Parsed(Model(
      "m",
      {{"button", "0x7F"}, {"pid", "0x2103"}, {"tilt", 1}, {"tilt_mask_l", 4}, {"tilt_mask_r", "8"}, {"swap45", 1}}));
  ASSERT_EQ(catalogue.models.size(), 1u);
  const MODEL_DEF& m = catalogue.models[0];
  EXPECT_EQ(m.button, 0x7Eu);
  EXPECT_EQ(m.model_id, 1);
  EXPECT_EQ(m.pid, 0x2103);
  EXPECT_EQ(m.tilt, 1);
  EXPECT_EQ(m.tilt_mask_l, 4);
  EXPECT_EQ(m.tilt_mask_r, 8);
  EXPECT_EQ(m.swap45, 1);
  EXPECT_EQ(m.connected, 0);
  EXPECT_EQ(std::string(m.model_image), "01_2103.png");
}

TEST_F(ModelCatalogueTest, ListsBeyondTheRecordLimitsAreCut) {
  json document = Model("m");
  document["button_pos"] = Entries(13, [](int i) {
    return json{{"x", 10 + i},
                {"y", 20 + i},
                {"image", "l" + std::to_string(i)},
                {"numStr", std::to_string(i)},
                {"one_time", i},
                {"str", "s"},
                {"image_over", i % 11},
                {"function", "f"},
                {"exclude", i}};
  });
  document["tilt_pos"] = Entries(3, [](int j) {
    return json{{"x", 100 + j},  {"y", 200},    {"image_over", j + 1}, {"str", "tilt left"}, {"function", "tilt right"},
                {"numStr", "T"}, {"exclude", 7}};
  });
  document["hid_num"] = Entries(11, [](int k) { return json{{"x", k}, {"y", -k}, {"down", 0xF0 + k}, {"up", k}}; });
  document["model_image"] = std::string(200, 'p');
  const ModelItem catalogue = Parsed(document);
  ASSERT_EQ(catalogue.models.size(), 1u);
  const MODEL_DEF& m = catalogue.models[0];
  EXPECT_EQ(m.button_pos[11].x, 21);
  EXPECT_EQ(m.exclude[11], 11);
  EXPECT_EQ(m.image[11], u"l11");
  EXPECT_EQ(m.button_pos[12].x, 0);  // entry 12 is not read; slots 12 and 13 stay for tilt or HID
  EXPECT_EQ(m.image[12], u"");
  EXPECT_EQ(m.tilt_pos[1].x, 101);
  EXPECT_EQ(m.tilt_image_over[1], 2);
  EXPECT_EQ(m.tilt_str[1], u"tilt left");
  EXPECT_EQ(m.tilt_exclude[1], 7);
  EXPECT_EQ(m.hid_count, 10);
  EXPECT_EQ(m.hid_down[9], 0xF9);
  EXPECT_EQ(m.hid_pos[3].x, 3);
  EXPECT_EQ(m.hid_pos[3].y, -3);
  EXPECT_EQ(std::string(m.model_image), std::string(127, 'p'));
}

TEST_F(ModelCatalogueTest, HidEntriesTakeTheirNameInTheCurrentLanguageOrEnglish) {
  json document = Model("m");
  const json define = {{"type", 6}, {"press", {"0x01", "0x01"}}, {"release", {"0x00"}}};
  document["hid_num"] = {
      {{"down", 0xFA}, {"function_define", define}, {"function_name", {{"1033", "Scroll up"}, {"1041", "上"}}}},
      {{"down", 0xFC}, {"function_define", define}, {"function_name", {{"1033", "Scroll down"}}}},
      {{"down", 0xFE}, {"function_name", {{"1033", "no definition"}}}},
      {{"down", 0xFF}, {"function_define", define}, {"function_name", {{"1033", std::string(100, 'n')}}}},
  };
  tessaro::LanguageId = 1041;
  const ModelItem catalogue = Parsed(document);
  ASSERT_EQ(catalogue.models.size(), 1u);
  const MODEL_DEF& m = catalogue.models[0];
  EXPECT_EQ(std::u16string(m.hid_function_name[0]), u"上");
  EXPECT_EQ(std::u16string(m.hid_function_name[1]), u"Scroll down");
  EXPECT_EQ(std::u16string(m.hid_function_name[2]), u"");
  EXPECT_EQ(std::u16string(m.hid_function_name[3]), std::u16string(63, u'n'));
  EXPECT_EQ(m.hid_function_define[0].type, 6);
  EXPECT_EQ(m.hid_function_define[0].press[1], 1);
  EXPECT_EQ(m.hid_function_define[2].type, 255);
  EXPECT_EQ(m.hid_count, 4);
  EXPECT_EQ(m.hid_function_define.size(), 4u) << "one definition per entry read";
}

TEST_F(ModelCatalogueTest, DocumentsThatBreakTheFormatAddNoModel) {
  const auto without = [](const char* key) {
    json model = Model("m");
    model.erase(key);
    return model.dump();
  };
  const auto with = [](const json& keys) {
    json model = Model("m");
    model.update(keys);
    return model.dump();
  };
  const std::string cases[] = {
      "{\"model_name\": ",
      "[1, 2]",
      without("model_name"),
      with({{"model_name", 5}}),
      without("model_image"),
      with({{"model_image", 5}}),
      without("model_define"),
      with({{"model_define", nullptr}}),
      with({{"model_define", "0x01"}}),
      with({{"model_define", {{"button", true}}}}),
      with({{"button_pos", {{"x", 1}}}}),
      with({{"button_pos", {{{"x", json::array()}}}}}),
      with({{"tilt_image_pos", json::object()}}),
      with({{"hid_num", {{{"function_define", {{"press", {1}}}}}}}}),
  };
  for (const auto& text : cases) {
    ModelItem catalogue;
    catalogue.ParseModel(text);
    catalogue.ParseModel(Model("after").dump());
    EXPECT_EQ(Names(catalogue), std::vector<std::u16string>{u"after"}) << text;
  }
}

TEST_F(ModelCatalogueTest, GetModelGivesRecordZeroOutsideTheCatalogue) {
  ModelItem catalogue;
  EXPECT_EQ(catalogue.GetModel(0).model_name, u"");
  EXPECT_EQ(catalogue.GetModel(-1).type, 0);
  catalogue.ParseModel(Model("first").dump());
  catalogue.ParseModel(Model("second").dump());
  const std::pair<int, std::u16string> cases[] = {{0, u"first"},    {1, u"second"}, {2, u"first"},
                                                  {1000, u"first"}, {-1, u"first"}, {INT32_MIN, u"first"}};
  for (const auto& [index, name] : cases) EXPECT_EQ(catalogue.GetModel(index).model_name, name) << index;
}

}  // namespace
