// Arbitrary bytes as a package held in memory: walk and read every member
// with and without the password, and read by suffix into small buffers
// that end exactly at their capacity.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "catalog/package.h"
#include "catalog/package_password.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto package = tessaro::Package::FromMemory(std::vector<uint8_t>(data, data + size));
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember&) {
    std::vector<uint8_t> out;
    tessaro::ReadCurrentMember(*package, out, tessaro::kPackagePassword);
    tessaro::ReadCurrentMember(*package, out, nullptr);
    return true;
  });
  for (const char* suffix : {"", ".json", "model.json", ".png"}) {
    for (const uint32_t capacity : {0u, 1u, 7u, 512u, 513u}) {
      std::unique_ptr<uint8_t[]> buffer(capacity ? new uint8_t[capacity] : nullptr);
      tessaro::ReadPackageMember(*package, suffix, buffer.get(), capacity, tessaro::kPackagePassword);
    }
  }
  return 0;
}
