#include "catalog/keycode_table.h"

namespace tessaro {

namespace {

bool ReadNumber(std::string_view& s, uint32_t& out) {
  size_t i = 0;
  uint32_t v = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    v = v * 10 + static_cast<uint32_t>(s[i] - '0');
    if (v > 0xFFFF) return false;
    ++i;
  }
  if (i == 0) return false;
  out = v;
  s.remove_prefix(i);
  return true;
}

}  // namespace

std::map<uint16_t, uint16_t> ParseKeyCodeTable(std::string_view text) {
  std::map<uint16_t, uint16_t> table;
  while (!text.empty()) {
    uint32_t usage, scan;
    if (!ReadNumber(text, usage) || text.empty() || text[0] != ' ') return {};
    text.remove_prefix(1);
    if (!ReadNumber(text, scan)) return {};
    table[static_cast<uint16_t>(usage)] = static_cast<uint16_t>(scan);
    if (text.empty()) break;
    if (text.substr(0, 2) != "\r\n") return {};
    text.remove_prefix(2);
  }
  return table;
}

}  // namespace tessaro
