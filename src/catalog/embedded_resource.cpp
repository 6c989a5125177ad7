#include "catalog/embedded_resource.h"

#include "vxlib.h"

namespace tessaro {

EmbeddedResource::EmbeddedResource(int resource_id) {
  uint8_t* buffer = nullptr;
  const uint32_t size = VX_MISC_LoadBinaryFromID(resource_id, &buffer, platform::ModuleInstance());
  buffer_.reset(buffer);
  if (buffer) size_ = size;
}

}  // namespace tessaro
