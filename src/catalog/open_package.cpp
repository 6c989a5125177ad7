// Where a package comes from: the file beside the executable, else the
// embedded resource, copied out through the driver library.
#include <utility>

#include "catalog/package.h"
#include "catalog/package_platform.h"
#include "device/vxlib.h"

namespace tessaro {

namespace {

std::u16string& AppFolderValue() {
  static std::u16string folder;
  return folder;
}

// A resource copy handed out by VX_MISC_LoadBinaryFromID.
class DriverBuffer {
 public:
  DriverBuffer() = default;
  ~DriverBuffer() {
    if (data_) platform::FreeDriverBuffer(data_);
  }
  DriverBuffer(const DriverBuffer&) = delete;
  DriverBuffer& operator=(const DriverBuffer&) = delete;
  DriverBuffer(DriverBuffer&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  DriverBuffer& operator=(DriverBuffer&& other) noexcept {
    std::swap(data_, other.data_);
    return *this;
  }

  uint8_t** receive() { return &data_; }
  const uint8_t* data() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
};

}  // namespace

const std::u16string& AppFolder() { return AppFolderValue(); }

void SetAppFolderFromModuleName(std::u16string_view module_file_name) {
  const size_t slash = module_file_name.rfind(u'\\');
  std::u16string folder(slash == std::u16string_view::npos ? module_file_name
                                                            : module_file_name.substr(0, slash + 1));
  folder.push_back(u'\\');
  AppFolderValue() = std::move(folder);
}

std::unique_ptr<Package> OpenPackage(std::u16string_view file_name, int resource_id) {
  const std::u16string path = AppFolder() + std::u16string(file_name);
  if (platform::FileExists(path)) return Package::FromFile(path);
  DriverBuffer buffer;
  const uint32_t size = VX_MISC_LoadBinaryFromID(resource_id, buffer.receive(), platform::ModuleInstance());
  if (!buffer.data() || size == 0) return Package::FromMemory({});
  return Package::FromMemory(std::vector<uint8_t>(buffer.data(), buffer.data() + size));
}

}  // namespace tessaro
