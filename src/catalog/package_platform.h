// What package access needs from the operating system. Windows implements
// it in package_platform_win.cpp; the native build has stand-ins that treat
// '\' as a folder separator, so AppFolder-style paths work there too.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tessaro::platform {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// True when path names an existing file (not a folder).
bool FileExists(std::u16string_view path);

// Opens a file for binary reading; null when it cannot be opened.
File OpenForReading(std::u16string_view path);

// Member names: the archive reader's 8-bit text (ANSI code page on Windows,
// UTF-8 natively) to and from UTF-16. ToArchiveText is false when the text
// cannot be expressed exactly.
bool ToArchiveText(std::u16string_view text, std::string& out);
std::u16string FromArchiveText(std::string_view text);

// The module whose resources hold the embedded packages.
void* ModuleInstance();

// Frees a buffer returned by VX_MISC_LoadBinaryFromID.
void FreeDriverBuffer(uint8_t* buffer);

}  // namespace tessaro::platform
