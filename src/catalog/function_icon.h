// Decoding of function icons from their picture files. On Windows this is
// a GDI+ decode. The native build records the bytes it was asked to decode
// and stands in a copy of them for the picture (none when they do not
// begin like a PNG file), so tests see which icons were decoded and when.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tessaro {

// An owned decoded picture (a Gdiplus::Image* on Windows); null when the
// bytes do not decode.
using IconImage = std::unique_ptr<void, void (*)(void*)>;

// Decodes a picture file held in memory.
IconImage DecodeFunctionIcon(std::span<const uint8_t> bytes);

#if !defined(_WIN32)
// The bytes of every decode since the last call, oldest first; clears the
// record.
std::vector<std::vector<uint8_t>> TakeDecodedIcons();
#endif

}  // namespace tessaro
