// A COM stream over a copy of some bytes, for decoders that read streams
// (GDI+ pictures). The copy lives in movable global memory that the stream
// frees when its last reference goes.
#pragma once

// clang-format off
#include <windows.h>
#include <objidl.h>
// clang-format on

#include <cstddef>
#include <cstdint>

#include "catalog/com_ref_win.h"

namespace tessaro {

using StreamRef = ComRef<IStream>;

// Empty when the memory or the stream cannot be made.
StreamRef StreamOnCopy(const uint8_t* data, size_t size);

}  // namespace tessaro
