// One of the executable's embedded BINARY resources, copied into memory
// through the driver library (VX_MISC_LoadBinaryFromID) and kept in the
// library's own buffer until released: a package of megabytes is in memory
// once, not twice.
#pragma once

#include <cstdint>
#include <memory>

#include "catalog/package_platform.h"

namespace tessaro {

class EmbeddedResource {
 public:
  EmbeddedResource() = default;
  // Empty when the resource is missing.
  explicit EmbeddedResource(int resource_id);

  const uint8_t* data() const { return buffer_.get(); }
  uint32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  struct Free {
    void operator()(uint8_t* buffer) const { platform::FreeDriverBuffer(buffer); }
  };
  std::unique_ptr<uint8_t, Free> buffer_;
  uint32_t size_ = 0;
};

}  // namespace tessaro
