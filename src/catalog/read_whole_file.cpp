#include "catalog/package.h"
#include "catalog/package_platform.h"

namespace tessaro {

bool ReadWholeFile(std::u16string_view path, std::vector<uint8_t>& out) {
  const platform::File file = platform::OpenForReading(path);
  if (!file) return false;
  // Read to the end rather than trusting a length taken beforehand.
  std::vector<uint8_t> bytes;
  uint8_t piece[64 * 1024];
  size_t count;
  while ((count = std::fread(piece, 1, sizeof piece, file.get())) > 0) bytes.insert(bytes.end(), piece, piece + count);
  if (std::ferror(file.get())) return false;
  out = std::move(bytes);
  return true;
}

}  // namespace tessaro
