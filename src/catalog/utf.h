// UTF-8 <-> UTF-16 conversion for the portable core. JSON documents are
// UTF-8; the program's texts are UTF-16 (char16_t, wchar_t at Win32 calls).
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Invalid sequences become U+FFFD, so a damaged text never stops a reader.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Copies text into a fixed, zero-terminated field of `capacity` units,
// cutting it to capacity - 1 units (never in the middle of a surrogate pair)
// or at its first zero unit; the rest of the field is zeroed, so equal
// texts give equal fields.
void CopyToField(std::u16string_view text, char16_t* field, size_t capacity);

// Length of a zero-terminated field, never reading past `capacity` units.
size_t FieldLength(const char16_t* field, size_t capacity);

}  // namespace tessaro
