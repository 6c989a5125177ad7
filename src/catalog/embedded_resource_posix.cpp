#include <cstdlib>

#include "catalog/embedded_resource.h"
#include "device/vxlib.h"

namespace tessaro {

// The native stand-in of the driver library hands out malloc'ed copies.
std::vector<uint8_t> LoadEmbeddedResource(int resource_id) {
  uint8_t* buffer = nullptr;
  const uint32_t size = VX_MISC_LoadBinaryFromID(resource_id, &buffer, nullptr);
  if (!buffer) return {};
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

}  // namespace tessaro
