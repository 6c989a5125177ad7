// Checks of the shipped data: the language table and the packages the build
// makes from data/, read the way the program reads them.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/function_catalogue.h"
#include "catalog/json_values.h"
#include "catalog/language_table.h"
#include "catalog/message_box.h"
#include "catalog/model_catalogue.h"
#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/temp_app_folder.h"

namespace {

using nlohmann::json;

struct PngSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

// Width and height from the IHDR chunk, which a PNG file must start with;
// false for anything that is not a PNG.
bool ReadPngSize(const std::vector<uint8_t>& bytes, PngSize& size) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) return false;
  if (std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") return false;
  const auto be32 = [&](size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
  };
  size = {be32(16), be32(20)};
  return size.width > 0 && size.height > 0;
}

// Every member of a shipped package by name, read whole.
std::map<std::string, std::vector<uint8_t>> PackageMembers(const std::string& file) {
  const auto package = tessaro::Package::FromFile(tessaro::Utf8ToUtf16(std::string(TESSARO_PACKAGE_DIR "/") + file));
  std::map<std::string, std::vector<uint8_t>> members;
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember& member) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(tessaro::ReadCurrentMember(*package, bytes, tessaro::kPackagePassword))
        << tessaro::Utf16ToUtf8(member.name);
    members.emplace(tessaro::Utf16ToUtf8(member.name), std::move(bytes));
    return true;
  });
  return members;
}

json ParseMember(const std::vector<uint8_t>& bytes) {
  json document;
  EXPECT_TRUE(tessaro::ParseJsonDocument(tessaro::DocumentText(bytes), document));
  return document;
}

bool EndsWith(const std::string& name, const std::string& suffix) {
  return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const std::vector<uint8_t>* MemberEndingWith(const std::map<std::string, std::vector<uint8_t>>& members,
                                             const std::string& suffix) {
  for (const auto& [name, bytes] : members)
    if (EndsWith(name, suffix)) return &bytes;
  return nullptr;
}

json LanguageDocument() { return ParseMember(test_support::ReadFileBytes(TESSARO_DATA_DIR "/language.json")); }

TEST(EmbeddedContent, LanguageTableHasTenSectionsWithEveryEnglishKey) {
  const json document = LanguageDocument();
  const std::map<std::string, std::string> expected = {
      {"1028", "中文(繁體)"}, {"1031", "Deutsch"}, {"1033", "English"},    {"1036", "Français"},   {"1040", "Italiano"},
      {"1041", "日本語"},     {"1042", "한국어"},  {"1043", "Nederlands"}, {"2052", "中文(简体)"}, {"3082", "Español"},
  };
  std::map<std::string, std::string> names;
  for (const auto& [lcid, section] : document.items()) names[lcid] = section.value("language name", "");
  EXPECT_EQ(names, expected);

  const json& english = document["1033"];
  for (const auto& [lcid, section] : document.items()) {
    for (const auto& [key, text] : english.items()) {
      ASSERT_TRUE(section.contains(key)) << lcid << " lacks " << key;
      EXPECT_TRUE(section[key].is_string() && !section[key].get<std::string>().empty()) << lcid << " " << key;
    }
    EXPECT_EQ(section.size(), english.size()) << lcid << " has keys English lacks";
  }
}

TEST(EmbeddedContent, EveryFunctionIsNamedInEveryLanguageAndHasAPngIcon) {
  const auto members = PackageMembers("function.pkg");
  const std::vector<uint8_t>* document_bytes = MemberEndingWith(members, "/function.json");
  ASSERT_NE(document_bytes, nullptr);
  const json document = ParseMember(*document_bytes);
  const json languages = LanguageDocument();
  ASSERT_TRUE(document.is_array());
  for (size_t i = 0; i < document.size(); ++i) {
    const json& element = document[i];
    if (element.contains("function_name")) {
      for (const auto& [lcid, section] : languages.items())
        EXPECT_FALSE(tessaro::ReadJsonText(element["function_name"], lcid).empty()) << "element " << i << " " << lcid;
    }
    if (element.contains("image_file")) {
      const std::string icon = element["image_file"].get<std::string>();
      const std::vector<uint8_t>* bytes = MemberEndingWith(members, icon);
      PngSize size;
      EXPECT_TRUE(bytes && ReadPngSize(*bytes, size)) << icon;
    }
  }
}

TEST(EmbeddedContent, EveryPictureMemberIsAPng) {
  for (const char* package : {"function.pkg", "model.pkg"}) {
    int pictures = 0;
    for (const auto& [name, bytes] : PackageMembers(package)) {
      if (EndsWith(name, ".json")) continue;
      PngSize size;
      EXPECT_TRUE(EndsWith(name, ".png") && ReadPngSize(bytes, size)) << package << ": " << name;
      ++pictures;
    }
    EXPECT_GT(pictures, 0) << package;
  }
}

TEST(EmbeddedContent, EveryModelLoadsAndItsMarkersLieOnItsPicture) {
  const auto members = PackageMembers("model.pkg");
  int documents = 0;
  for (const auto& [name, bytes] : members) {
    if (!EndsWith(name, "model.json")) continue;
    ++documents;
    tessaro::ModelItem catalogue;
    catalogue.ParseModel(tessaro::DocumentText(bytes));
    ASSERT_FALSE(catalogue.models.empty()) << name << " adds no model";

    const json document = ParseMember(bytes);
    const std::string picture_name = document["model_image"].get<std::string>();
    const std::vector<uint8_t>* picture = MemberEndingWith(members, picture_name);
    PngSize size;
    ASSERT_TRUE(picture && ReadPngSize(*picture, size)) << name << ": " << picture_name;
    for (const char* list : {"button_pos", "tilt_pos", "hid_num"}) {
      if (!document.contains(list)) continue;
      for (const json& entry : document[list]) {
        const int32_t x = tessaro::ReadJsonInt(entry, "x");
        const int32_t y = tessaro::ReadJsonInt(entry, "y");
        EXPECT_TRUE(x >= 0 && y >= 0 && static_cast<uint32_t>(x) < size.width && static_cast<uint32_t>(y) < size.height)
            << name << " " << list << " (" << x << ", " << y << ") outside " << size.width << " x " << size.height;
      }
    }
  }
  EXPECT_GT(documents, 0);
}

TEST(EmbeddedContent, ShippedFunctionCatalogueLoadsWholeInEveryLanguage) {
  const json document = ParseMember(*MemberEndingWith(PackageMembers("function.pkg"), "/function.json"));
  size_t functions = 0;
  for (const json& element : document)
    functions += element.contains("function_define") && !element.contains("folder") && !element.contains("image");

  fake_vxlib::Reset();  // answers "Windows 11": every function is kept
  tessaro::SetAppFolderFromModuleName(tessaro::Utf8ToUtf16(TESSARO_PACKAGE_DIR) + u"\\Tessaro.exe");
  tessaro::TakeShownMessages();
  const json languages = LanguageDocument();
  for (const auto& [lcid, section] : languages.items()) {
    tessaro::LanguageId = std::stoi(lcid);
    tessaro::LoadFunctionCatalogue();
    const auto catalogue = tessaro::FunctionCatalogueSnapshot();
    EXPECT_EQ(catalogue->function_defs.size(), functions) << lcid;
    EXPECT_FALSE(catalogue->function_rows.empty()) << lcid;
    EXPECT_FALSE(catalogue->hid_function_rows.empty()) << lcid;
    EXPECT_FALSE(catalogue->default_function_name.empty()) << lcid;
    EXPECT_GE(catalogue->hid_plus_one_row, 0) << lcid;
    EXPECT_GE(catalogue->hid_minus_one_row, 0) << lcid;
  }
  tessaro::LanguageId = 1033;
  EXPECT_TRUE(tessaro::TakeShownMessages().empty());
}

}  // namespace
