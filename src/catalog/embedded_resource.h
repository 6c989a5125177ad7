// A copy of one of the executable's embedded BINARY resources, loaded
// through the driver library (VX_MISC_LoadBinaryFromID).
#pragma once

#include <cstdint>
#include <vector>

namespace tessaro {

// Empty when the resource is missing.
std::vector<uint8_t> LoadEmbeddedResource(int resource_id);

}  // namespace tessaro
