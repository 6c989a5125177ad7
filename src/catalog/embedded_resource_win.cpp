#include <windows.h>

#include "catalog/embedded_resource.h"
#include "device/vxlib.h"

namespace tessaro {

std::vector<uint8_t> LoadEmbeddedResource(int resource_id) {
  uint8_t* buffer = nullptr;
  const uint32_t size = VX_MISC_LoadBinaryFromID(resource_id, &buffer, GetModuleHandleW(nullptr));
  if (!buffer) return {};
  std::vector<uint8_t> bytes(buffer, buffer + size);
  HeapFree(GetProcessHeap(), 0, buffer);  // the library allocates on the process heap
  return bytes;
}

}  // namespace tessaro
