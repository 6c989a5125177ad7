// The JSON value readers every document reader uses, and the number writer
// of the settings file.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace tessaro {

// Nesting deeper than this is refused before any reader recurses into it.
inline constexpr int kMaxJsonDepth = 64;

// Parses a UTF-8 document. False (and out untouched) for text that is not
// JSON, has invalid UTF-8 or nests deeper than kMaxJsonDepth.
bool ParseJsonDocument(std::string_view text, nlohmann::json& out);

// The member under key; null when it is missing or null (or object is
// not an object).
const nlohmann::json* PresentMember(const nlohmann::json& object, std::string_view key);

// Missing key or null (or object not an object): 0. Text, trailing blanks
// ignored: "0x"/"0X"-prefixed hexadecimal (every "0x"/"0X" removed, then the
// driver library's hex conversion) or decimal read like StrToIntW (optional
// minus, digits up to the first other character). Integers keep their low
// 32 bits; floating values are truncated toward zero and held to the int32
// range. Booleans, objects and arrays throw nlohmann::json::type_error with
// the message "type must be number, but is <type name>".
int32_t ReadJsonInt(const nlohmann::json& object, std::string_view key);

// Missing key, null or not a string: empty. Strings of 8192 bytes or more
// give an empty text too.
std::u16string ReadJsonText(const nlohmann::json& object, std::string_view key);

// Missing key or null: false, out untouched. Otherwise out is zeroed; an
// array of number texts fills it (low 8 bits each, elements past 256
// ignored) and gives true; any other value gives false. A non-string
// element throws nlohmann::json::type_error.
bool ReadJsonBytes(const nlohmann::json& object, std::string_view key, uint8_t (&out)[256]);

// Width 4: "0x%04x"; width 0: decimal; any other width: "0x%02x". The
// hexadecimal forms show the low 32 bits, lower-case digits.
std::string FormatNumberText(int64_t value, int width);

}  // namespace tessaro
