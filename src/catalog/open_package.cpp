// Where a package comes from: the file beside the executable, else the
// embedded resource.
#include "catalog/package.h"
#include "catalog/package_platform.h"

namespace tessaro {

namespace {

std::u16string& AppFolderValue() {
  static std::u16string folder;
  return folder;
}

}  // namespace

const std::u16string& AppFolder() { return AppFolderValue(); }

void SetAppFolderFromModuleName(std::u16string_view module_file_name) {
  const size_t slash = module_file_name.rfind(u'\\');
  std::u16string folder(slash == std::u16string_view::npos ? module_file_name : module_file_name.substr(0, slash));
  folder.push_back(u'\\');
  AppFolderValue() = std::move(folder);
}

std::unique_ptr<Package> OpenPackage(std::u16string_view file_name, int resource_id) {
  const std::u16string path = AppFolder() + std::u16string(file_name);
  if (platform::FileExists(path)) return Package::FromFile(path);
  return Package::FromResource(platform::ModuleResource(resource_id));
}

}  // namespace tessaro
