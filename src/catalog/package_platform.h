// What package access needs from the operating system. Windows implements
// it in package_platform_win.cpp; the native build has stand-ins that treat
// '\' as a folder separator, so AppFolder-style paths work there too.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The bytes of the executable's BINARY resource id where the system mapped
// them: nothing is copied, so only the pages a reader touches become
// resident (the model package's pictures of models not connected never
// do). Valid for the whole run; empty when there is no such resource.
std::span<const uint8_t> ModuleResource(int id);

#ifndef _WIN32
// Native stand-in: what ModuleResource gives for id from now on; no bytes
// remove the resource. A view given out before for the same id becomes
// invalid.
void SetModuleResource(int id, std::vector<uint8_t> bytes);
#endif

}  // namespace tessaro::platform
