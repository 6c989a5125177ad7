#include "shell/command_line.h"

#include <string>

namespace tessaro {
namespace {

// Only the switches' own letters need folding; every other unit stays,
// so positions do not move.
std::u16string AsciiLower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return lower;
}

bool FoundAfterStart(const std::u16string& line, std::u16string_view word) {
  const size_t at = line.find(word);
  return at != std::u16string::npos && at > 0;
}

}  // namespace

StartRequest ParseCommandLine(std::u16string_view command_line) {
  const std::u16string line = AsciiLower(command_line);
  return {FoundAfterStart(line, u"/hide"), FoundAfterStart(line, u"/close")};
}

}  // namespace tessaro
