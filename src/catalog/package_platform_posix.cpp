// Native stand-ins: UTF-8 paths and names; '\' separates folders as it does
// in the program's own paths (AppFolder ends in one).
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "catalog/package_platform.h"
#include "catalog/utf.h"

namespace tessaro::platform {

namespace {

std::string NativePath(std::u16string_view path) {
  std::string out = Utf16ToUtf8(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

struct Resources {
  std::mutex mutex;
  std::map<int, std::vector<uint8_t>> bytes;
};
Resources& NativeResources() {
  static Resources resources;
  return resources;
}

}  // namespace

bool FileExists(std::u16string_view path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

File OpenForReading(std::u16string_view path) { return File(std::fopen(NativePath(path).c_str(), "rb")); }

bool ToArchiveText(std::u16string_view text, std::string& out) {
  out = Utf16ToUtf8(text);
  return true;
}

std::u16string FromArchiveText(std::string_view text) { return Utf8ToUtf16(text); }

std::span<const uint8_t> ModuleResource(int id) {
  Resources& resources = NativeResources();
  std::lock_guard lock(resources.mutex);
  const auto found = resources.bytes.find(id);
  if (found == resources.bytes.end()) return {};
  return found->second;
}

void SetModuleResource(int id, std::vector<uint8_t> bytes) {
  Resources& resources = NativeResources();
  std::lock_guard lock(resources.mutex);
  if (bytes.empty())
    resources.bytes.erase(id);
  else
    resources.bytes[id] = std::move(bytes);
}

}  // namespace tessaro::platform
