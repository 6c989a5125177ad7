// The product's application identifier, recorded for the current user on
// every start so that other software of the maker can find the program.
#pragma once

namespace tessaro {

// The registry text form, 38 characters with braces.
inline constexpr wchar_t kAppGuid[] = L"{1BD6E691-A069-4771-A5F2-A37EDE14CAFB}";
inline constexpr wchar_t kProductKey[] = L"Software\\Vornel";
inline constexpr wchar_t kAppGuidValue[] = L"AppGUID";

// Writes kAppGuid as the REG_SZ value "AppGUID" (78 bytes, the closing
// zero included) under HKEY_CURRENT_USER\Software\Vornel. Failures are
// silent: the program works without it.
void RecordAppGuid();

}  // namespace tessaro
