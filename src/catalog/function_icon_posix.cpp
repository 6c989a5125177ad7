#include <algorithm>
#include <mutex>
#include <utility>

#include "catalog/function_icon.h"

namespace tessaro {

namespace {

std::mutex decoded_mutex;
std::vector<std::vector<uint8_t>> decoded;

void DeleteBytes(void* p) { delete static_cast<std::vector<uint8_t>*>(p); }

}  // namespace

// Without GDI+ the "picture" is a copy of the bytes: each icon gives a
// distinct non-null image, and bytes that are no PNG file give none, as a
// damaged picture does on Windows.
IconImage DecodeFunctionIcon(std::span<const uint8_t> bytes) {
  {
    std::lock_guard lock(decoded_mutex);
    decoded.emplace_back(bytes.begin(), bytes.end());
  }
  constexpr uint8_t kPngStart[] = {0x89, 'P', 'N', 'G'};
  if (bytes.size() < std::size(kPngStart) || !std::equal(std::begin(kPngStart), std::end(kPngStart), bytes.begin()))
    return IconImage(nullptr, DeleteBytes);
  return IconImage(new std::vector<uint8_t>(bytes.begin(), bytes.end()), DeleteBytes);
}

std::vector<std::vector<uint8_t>> TakeDecodedIcons() {
  std::lock_guard lock(decoded_mutex);
  return std::exchange(decoded, {});
}

}  // namespace tessaro
