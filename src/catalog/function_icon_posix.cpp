#include <cstdint>
#include <mutex>
#include <utility>

#include "catalog/function_icon.h"
#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"

namespace tessaro {

namespace {

std::mutex requested_mutex;
std::vector<std::u16string> requested;

void DeleteBytes(void* p) { delete static_cast<std::vector<uint8_t>*>(p); }

}  // namespace

// Without GDI+ the "picture" is the member's bytes: present members give a
// distinct non-null image, missing or unreadable ones none, as on Windows.
IconImage DecodeFunctionIcon(Package& package, std::u16string_view name_suffix) {
  {
    std::lock_guard lock(requested_mutex);
    requested.emplace_back(name_suffix);
  }
  std::string suffix;
  if (!platform::ToArchiveText(name_suffix, suffix)) return IconImage(nullptr, DeleteBytes);
  const uint32_t size = ReadPackageMember(package, suffix, nullptr, 0, kPackagePassword);
  if (size == 0) return IconImage(nullptr, DeleteBytes);
  auto bytes = std::make_unique<std::vector<uint8_t>>(size);
  if (ReadPackageMember(package, suffix, bytes->data(), size, kPackagePassword) != size)
    return IconImage(nullptr, DeleteBytes);
  return IconImage(bytes.release(), DeleteBytes);
}

std::vector<std::u16string> TakeDecodedIconNames() {
  std::lock_guard lock(requested_mutex);
  return std::exchange(requested, {});
}

}  // namespace tessaro
