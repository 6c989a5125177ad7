#include "catalog/json_values.h"

#include <cinttypes>
#include <cstdio>
#include <limits>

#include "catalog/utf.h"
#include "vxlib.h"

namespace tessaro {

namespace {

using nlohmann::json;

constexpr size_t kMaxTextBytes = 8192;

// Counts [ and { outside strings. Closers without openers make the text
// invalid anyway, so they are refused here too.
bool NestingWithinLimit(std::string_view text) {
  int depth = 0;
  bool in_string = false;
  bool escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return false;
    } else if (c == ']' || c == '}') {
      if (--depth < 0) return false;
    }
  }
  return true;
}

const json* Member(const json& object, std::string_view key) {
  if (!object.is_object()) return nullptr;
  const auto it = object.find(key);
  return it == object.end() || it->is_null() ? nullptr : &*it;
}

// Decimal the way the shell's StrToIntW reads it: an optional minus, digits
// up to the first other character, 0 when there are none. Wraps in 32 bits.
int32_t DecimalPrefix(std::u16string_view text) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (negative) ++i;
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) value = value * 10u + (text[i] - u'0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

bool IsHexMark(std::u16string_view text, size_t i) {
  return i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X');
}

// "0x"-prefixed hexadecimal (every 0x/0X mark removed, then the driver
// library's conversion) or decimal; trailing blanks ignored.
int32_t NumberFromText(std::string_view utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.pop_back();
  if (!IsHexMark(text, 0)) return DecimalPrefix(text);
  std::u16string digits;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsHexMark(text, i))
      ++i;
    else
      digits.push_back(text[i]);
  }
  return VX_MISC_Hex2Dec(digits.c_str());
}

int32_t TruncateToInt32(double value) {
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

bool ParseJsonDocument(std::string_view text, nlohmann::json& out) {
  if (!NestingWithinLimit(text)) return false;
  try {
    json parsed = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
    if (parsed.is_discarded()) return false;
    out = std::move(parsed);
    return true;
  } catch (...) {  // out of memory, for instance: the document is simply not read
    return false;
  }
}

const nlohmann::json* PresentMember(const nlohmann::json& object, std::string_view key) { return Member(object, key); }

int32_t ReadJsonInt(const nlohmann::json& object, std::string_view key) {
  const json* value = Member(object, key);
  if (!value) return 0;
  switch (value->type()) {
    case json::value_t::string:
      return NumberFromText(value->get_ref<const std::string&>());
    case json::value_t::number_integer:
      return static_cast<int32_t>(value->get<int64_t>());
    case json::value_t::number_unsigned:
      return static_cast<int32_t>(static_cast<uint32_t>(value->get<uint64_t>()));
    case json::value_t::number_float:
      return TruncateToInt32(value->get<double>());
    default:
      throw json::type_error::create(302, std::string("type must be number, but is ") + value->type_name(), value);
  }
}

std::u16string ReadJsonText(const nlohmann::json& object, std::string_view key) {
  const json* value = Member(object, key);
  if (!value || !value->is_string()) return {};
  const std::string& text = value->get_ref<const std::string&>();
  return text.size() < kMaxTextBytes ? Utf8ToUtf16(text) : std::u16string();
}

bool ReadJsonBytes(const nlohmann::json& object, std::string_view key, uint8_t (&out)[256]) {
  const json* value = Member(object, key);
  if (!value) return false;
  std::fill(std::begin(out), std::end(out), uint8_t{0});
  if (!value->is_array()) return false;
  const size_t count = std::min(value->size(), std::size(out));
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(NumberFromText((*value)[i].get<std::string>()));
  return true;
}

std::string FormatNumberText(int64_t value, int width) {
  char text[32];
  const auto low = static_cast<uint32_t>(value);
  if (width == 0)
    std::snprintf(text, sizeof text, "%" PRId64, value);
  else if (width == 4)
    std::snprintf(text, sizeof text, "0x%04" PRIx32, low);
  else
    std::snprintf(text, sizeof text, "0x%02" PRIx32, low);
  return text;
}

}  // namespace tessaro
