// Native stand-ins: UTF-8 paths and names; '\' separates folders as it does
// in the program's own paths (AppFolder ends in one).
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "catalog/package_platform.h"
#include "catalog/utf.h"

namespace tessaro::platform {

namespace {

std::string NativePath(std::u16string_view path) {
  std::string out = Utf16ToUtf8(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
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

void* ModuleInstance() { return nullptr; }

// The native stand-in of the driver library hands out malloc'd buffers.
void FreeDriverBuffer(uint8_t* buffer) { std::free(buffer); }

}  // namespace tessaro::platform
