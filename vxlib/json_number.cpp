#include "vxlib/json_number.h"

#include <string>

#include "vxlib/hex.h"

namespace vxlib {

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// "0x" and one to eight hex digits, nothing else: a stray character is a
// typo in a hand-written file, not a number to guess at.
std::optional<int64_t> ReadHexText(const std::string& text) {
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return {};
  std::u16string digits;
  for (size_t i = 2; i < text.size(); ++i) {
    if (!IsHexDigit(text[i])) return {};
    digits.push_back(static_cast<char16_t>(text[i]));
  }
  return static_cast<uint32_t>(HexToInt(digits));
}

}  // namespace

std::optional<int64_t> ReadWholeNumber(const nlohmann::json& value, int64_t min, int64_t max) {
  std::optional<int64_t> number;
  if (value.is_number_unsigned()) {
    const uint64_t u = value.get<uint64_t>();
    if (u <= static_cast<uint64_t>(INT64_MAX)) number = static_cast<int64_t>(u);
  } else if (value.is_number_integer()) {
    number = value.get<int64_t>();
  } else if (value.is_string()) {
    number = ReadHexText(value.get_ref<const std::string&>());
  }
  if (!number || *number < min || *number > max) return {};
  return number;
}

std::optional<int64_t> ReadWholeNumber(const nlohmann::json& object, const char* key, int64_t min, int64_t max,
                                       int64_t fallback) {
  const auto it = object.find(key);
  if (it == object.end()) return fallback;
  return ReadWholeNumber(*it, min, max);
}

}  // namespace vxlib
