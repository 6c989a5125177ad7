// The pointing devices the system knows, through Raw Input. A mouse's
// record carries no USB ids, so they are read from its interface name.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "vxlib/device_items.h"

namespace vxlib {

struct RawMouse {
  HANDLE handle;
  std::optional<UsbIds> ids;
};

std::vector<RawMouse> EnumerateMice();

// The device's 32-bit handle as the program sees it.
inline uint32_t DeviceHandle(HANDLE device) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(device)); }

}  // namespace vxlib
