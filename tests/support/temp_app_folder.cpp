#include "support/temp_app_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/utf.h"

namespace test_support {

namespace fs = std::filesystem;

TempAppFolder::TempAppFolder() {
  std::random_device random;
  path_ = fs::temp_directory_path() / ("tessaro-app-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(path_);
  // AppFolder is cut after the module name's last backslash.
  tessaro::SetAppFolderFromModuleName(tessaro::Utf8ToUtf16(path_.string()) + u"\\Tessaro.exe");
}

TempAppFolder::~TempAppFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void TempAppFolder::WriteFile(const std::string& name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + name);
}

void TempAppFolder::WritePackage(const std::string& name, const std::vector<pkgtool::Member>& members) const {
  if (!pkgtool::WritePackage((path_ / name).string(), members, tessaro::kPackagePassword))
    throw std::runtime_error("cannot write package " + name);
}

void TempAppFolder::Remove(const std::string& name) const { fs::remove(path_ / name); }

pkgtool::Member TextMember(std::string name, std::string_view text) {
  return {std::move(name), std::vector<uint8_t>(text.begin(), text.end())};
}

std::vector<uint8_t> ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_support
