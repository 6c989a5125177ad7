// When two program file names denote the same program. Windows compares
// file names without regard to case; the program and the driver library
// both fold names with this rule before they compare them, so a profile
// for "Firefox.exe" acts in "firefox.exe".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "vxlib.h"

// The capital of a letter of the Latin, Greek or Cyrillic alphabets (the
// letters executable names are written in); any other unit unchanged.
inline char16_t FoldProgramChar(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  // Latin-1: à to þ without ÷; ÿ to Ÿ.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A: pairs of capital and small, even capital first except
  // in the two runs that start one place later.
  if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    const bool odd_capital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool small = odd_capital ? (c % 2 == 0) : (c % 2 == 1);
    return small ? static_cast<char16_t>(c - 1) : c;
  }
  // Greek, final sigma as sigma.
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3C9) return static_cast<char16_t>(c - 0x20);
  // Cyrillic.
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return c;
}

inline std::u16string FoldProgramName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = FoldProgramChar(c);
  return folded;
}

inline bool SameProgramName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldProgramChar(a[i]) != FoldProgramChar(b[i])) return false;
  }
  return true;
}

// A file name without a folder, as a profile names its program: not empty,
// at most VX_PROGRAM_NAME_MAX units, no folder separator, drive colon or
// control character.
inline bool ValidProgramName(std::u16string_view name) {
  if (name.empty() || name.size() > VX_PROGRAM_NAME_MAX) return false;
  for (const char16_t c : name) {
    if (c < 0x20 || c == u'\\' || c == u'/' || c == u':') return false;
  }
  return true;
}

// The file name at the end of a path ("C:\Apps\tool.exe" gives "tool.exe").
inline std::u16string_view ProgramFileName(std::u16string_view path) {
  const size_t separator = path.find_last_of(u"\\/");
  return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}
