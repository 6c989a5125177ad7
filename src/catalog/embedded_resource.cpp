#include "catalog/embedded_resource.h"

#include "catalog/package_platform.h"
#include "vxlib.h"

namespace tessaro {

std::vector<uint8_t> LoadEmbeddedResource(int resource_id) {
  uint8_t* buffer = nullptr;
  const uint32_t size = VX_MISC_LoadBinaryFromID(resource_id, &buffer, platform::ModuleInstance());
  if (!buffer) return {};
  std::vector<uint8_t> bytes(buffer, buffer + size);
  platform::FreeDriverBuffer(buffer);
  return bytes;
}

}  // namespace tessaro
