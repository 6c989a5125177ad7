// Decoding of function icons from the function package. On Windows this is
// a GDI+ decode; the native build records the names it was asked for and
// decodes nothing, so tests see which icons a load requested.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class Package;

// An owned decoded picture (a Gdiplus::Image on Windows); null when the
// member is missing or does not decode.
using IconImage = std::unique_ptr<void, void (*)(void*)>;

// Decodes the first member whose name ends with name_suffix.
IconImage DecodeFunctionIcon(Package& package, std::u16string_view name_suffix);

#if !defined(_WIN32)
// The suffixes asked for since the last call, oldest first; clears the record.
std::vector<std::u16string> TakeDecodedIconNames();
#endif

}  // namespace tessaro
