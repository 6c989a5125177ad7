#include "catalog/utf.h"

#include <gtest/gtest.h>

#include "vxlib/hex.h"

namespace {

TEST(Utf, RoundTripsAllPlanes) {
  const std::string utf8 = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x96\xB1";  // A é 中 🖱
  const std::u16string utf16 = tessaro::Utf8ToUtf16(utf8);
  EXPECT_EQ(utf16, u"A\u00E9\u4E2D\U0001F5B1");
  EXPECT_EQ(tessaro::Utf16ToUtf8(utf16), utf8);
}

TEST(Utf, InvalidSequencesBecomeReplacementCharacters) {
  const struct {
    const char* in;
    std::u16string out;
  } cases[] = {
      {"\xC3", u"\uFFFD"},                      // truncated
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // surrogate
      {"a\xFFz", u"a\uFFFDz"},
  };
  for (const auto& c : cases) EXPECT_EQ(tessaro::Utf8ToUtf16(c.in), c.out) << c.in;
}

TEST(Utf, CopyToFieldCutsAndTerminates) {
  char16_t field[4] = {u'x', u'x', u'x', u'x'};
  tessaro::CopyToField(u"abcdef", field, 4);
  EXPECT_EQ(std::u16string(field), u"abc");
  tessaro::CopyToField(u"ab\U0001F5B1", field, 4);  // would split the pair
  EXPECT_EQ(std::u16string(field), u"ab");
  EXPECT_EQ(tessaro::FieldLength(field, 4), 2u);
  // A text with a zero unit inside ends there; nothing of it or of the
  // field's old content lingers behind the terminator.
  tessaro::CopyToField(std::u16string_view(u"a\0bc", 4), field, 4);
  EXPECT_EQ(std::u16string(field, 4), std::u16string(u"a\0\0\0", 4));
}

TEST(Hex, ReadsDigitsUpToTheFirstOther) {
  const std::pair<std::u16string, int32_t> cases[] = {
      {u"1B", 27}, {u"ff", 255}, {u"046d", 1133}, {u"", 0}, {u"zz", 0}, {u"12g4", 0x12}, {u"FFFFFFFF", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(vxlib::HexToInt(text), value);
}

}  // namespace
