// Decoding of function icons from the function package. On Windows this is
// a GDI+ decode. The native build records the names it was asked for and
// stands in the member's bytes for the picture (none when the member is
// missing), so tests see which icons a load requested and which it got.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class Package;

// An owned decoded picture (a Gdiplus::Image* on Windows); null when the
// member is missing or does not decode.
using IconImage = std::unique_ptr<void, void (*)(void*)>;

// Decodes the first member whose name ends with name_suffix.
IconImage DecodeFunctionIcon(Package& package, std::u16string_view name_suffix);

#if !defined(_WIN32)
// The suffixes asked for since the last call, oldest first; clears the record.
std::vector<std::u16string> TakeDecodedIconNames();
#endif

}  // namespace tessaro
