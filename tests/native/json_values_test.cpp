#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/json_values.h"

namespace {

using nlohmann::json;

json Parse(std::string_view text) {
  json document;
  EXPECT_TRUE(tessaro::ParseJsonDocument(text, document)) << text;
  return document;
}

std::string Nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(ReadJsonInt, ReadsNumbersAndNumberTexts) {
  const json object = Parse(R"({
    "hex": "0x1B", "hex_upper": "0X1b", "hex_trailing_blank": "0x046d ", "hex_marks": "0x10x1",
    "hex_empty": "0x", "decimal": "12 ", "negative": "-42", "digits_then_other": "7x", "no_digits": "abc",
    "empty": "", "float": 3.9, "negative_float": -3.9, "huge_float": 1e20, "tiny_float": -1e20,
    "integer": -5, "unsigned_wraps": 4294967295, "low_bits": 4294967297, "null": null
  })");
  const std::pair<const char*, int32_t> cases[] = {
      {"hex", 27},          {"hex_upper", 27},       {"hex_trailing_blank", 1133}, {"hex_marks", 0x11},
      {"hex_empty", 0},     {"decimal", 12},         {"negative", -42},            {"digits_then_other", 7},
      {"no_digits", 0},     {"empty", 0},            {"float", 3},                 {"negative_float", -3},
      {"huge_float", INT32_MAX}, {"tiny_float", INT32_MIN}, {"integer", -5},       {"unsigned_wraps", -1},
      {"low_bits", 1},      {"null", 0},             {"missing", 0},
  };
  for (const auto& [key, value] : cases) EXPECT_EQ(tessaro::ReadJsonInt(object, key), value) << key;
  EXPECT_EQ(tessaro::ReadJsonInt(json::array({1}), "0"), 0) << "not an object";
}

TEST(ReadJsonInt, OtherTypesRaiseTheLibrarysTypeError) {
  const json object = Parse(R"({"flag": true, "object": {}, "array": [1]})");
  const std::pair<const char*, const char*> cases[] = {
      {"flag", "type must be number, but is boolean"},
      {"object", "type must be number, but is object"},
      {"array", "type must be number, but is array"},
  };
  for (const auto& [key, message] : cases) {
    try {
      tessaro::ReadJsonInt(object, key);
      ADD_FAILURE() << key << " did not throw";
    } catch (const json::type_error& e) {
      EXPECT_TRUE(std::string(e.what()).ends_with(message)) << e.what();
    }
  }
}

TEST(ReadJsonText, ConvertsShortStringsOnly) {
  json object = Parse(R"({"name": "Gr\u00e2phite \ud83d\uddb1", "number": 5, "null": null, "empty": ""})");
  object["just_short"] = std::string(8191, 'a');
  object["too_long"] = std::string(8192, 'a');
  const std::pair<const char*, std::u16string> cases[] = {
      {"name", u"Gr\u00e2phite \U0001F5B1"},
      {"number", u""},
      {"null", u""},
      {"empty", u""},
      {"missing", u""},
      {"just_short", std::u16string(8191, u'a')},
      {"too_long", u""},
  };
  for (const auto& [key, text] : cases) EXPECT_EQ(tessaro::ReadJsonText(object, key), text) << key;
}

TEST(ReadJsonBytes, FillsTheBufferFromNumberTexts) {
  json object = Parse(R"({"pair": ["0x11", "16"], "wide": ["0x1ff", "-1"], "number": 7, "empty": [], "null": null})");
  json many = json::array();
  for (int i = 0; i < 300; ++i) many.push_back(std::to_string(i));
  object["many"] = many;

  const struct {
    const char* key;
    bool result;
    std::vector<uint8_t> head;  // the rest of the 256 bytes
    uint8_t rest;
  } cases[] = {
      {"pair", true, {17, 16}, 0},
      {"wide", true, {0xFF, 0xFF}, 0},
      {"number", false, {}, 0},
      {"empty", true, {}, 0},
      {"missing", false, {}, 0xAA},
      {"null", false, {}, 0xAA},
  };
  for (const auto& c : cases) {
    uint8_t out[256];
    std::fill(std::begin(out), std::end(out), uint8_t{0xAA});
    EXPECT_EQ(tessaro::ReadJsonBytes(object, c.key, out), c.result) << c.key;
    std::vector<uint8_t> expected(256, c.rest);
    std::copy(c.head.begin(), c.head.end(), expected.begin());
    EXPECT_EQ(std::vector<uint8_t>(std::begin(out), std::end(out)), expected) << c.key;
  }

  uint8_t out[256];
  EXPECT_TRUE(tessaro::ReadJsonBytes(object, "many", out)) << "elements past 256 are ignored";
  for (int i = 0; i < 256; ++i) EXPECT_EQ(out[i], static_cast<uint8_t>(i));
}

TEST(ReadJsonBytes, NonTextElementsRaiseTheLibrarysTypeError) {
  const json object = Parse(R"({"bytes": ["0x01", 2]})");
  uint8_t out[256];
  EXPECT_THROW(tessaro::ReadJsonBytes(object, "bytes", out), json::type_error);
}

TEST(FormatNumberText, WritesHexadecimalByWidthOrDecimal) {
  const struct {
    int64_t value;
    int width;
    const char* text;
  } cases[] = {
      {5, 2, "0x05"},  {5, 0, "5"},          {5, 4, "0x0005"},     {1133, 4, "0x046d"}, {255, 1, "0xff"},
      {300, 2, "0x12c"}, {70000, 4, "0x11170"}, {-1, 0, "-1"},     {-1, 2, "0xffffffff"},
  };
  for (const auto& c : cases) EXPECT_EQ(tessaro::FormatNumberText(c.value, c.width), c.text) << c.value;
}

TEST(ParseJsonDocument, RefusesDeepNestingBadUtf8AndNonJson) {
  const struct {
    std::string text;
    bool parses;
  } cases[] = {
      {Nested(64), true},
      {Nested(65), false},
      {"{\"a\":" + Nested(63) + "}", true},
      {"{\"a\":" + Nested(64) + "}", false},
      {"{\"text\": \"" + std::string(200, '[') + "\"}", true},     // brackets in strings do not nest
      {"{\"text\": \"\\\"" + std::string(200, '{') + "\"}", true}, // nor after an escaped quote
      {"{\"name\": \"caf\xc3\xa9\"}", true},
      {"{\"name\": \"caf\xc3\"}", false},
      {"{\"name\": \"\xff\"}", false},
      {"{\"a\": 1", false},
      {"]][[", false},
      {"", false},
  };
  for (const auto& c : cases) {
    json document = "untouched";
    EXPECT_EQ(tessaro::ParseJsonDocument(c.text, document), c.parses) << c.text.substr(0, 80);
    if (!c.parses) {
      EXPECT_EQ(document, "untouched");
    }
  }
}

}  // namespace
