// The text of a JSON document read whole: it ends at the first zero byte,
// as the readers of the program's documents have always treated it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessaro {

inline std::string_view DocumentText(const std::vector<uint8_t>& bytes) {
  const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return all.substr(0, all.find('\0'));
}

}  // namespace tessaro
