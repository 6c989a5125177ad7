#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "catalog/package_platform.h"

namespace tessaro::platform {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// WC_NO_BEST_FIT_CHARS and the default-character report keep a name that has
// no exact form in the code page from turning into a different name.
bool ToCodePage(std::u16string_view text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  const UINT code_page = GetACP();
  const bool utf8 = code_page == CP_UTF8;  // takes neither the flag nor the report
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int needed = WideCharToMultiByte(code_page, flags, wide, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  out.resize(static_cast<size_t>(needed));
  const int written =
      WideCharToMultiByte(code_page, flags, wide, length, out.data(), needed, nullptr, utf8 ? nullptr : &lossy);
  if (written != needed || lossy) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace

bool FileExists(std::u16string_view path) {
  const DWORD attributes = GetFileAttributesW(Wide(std::u16string(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

File OpenForReading(std::u16string_view path) { return File(_wfopen(Wide(std::u16string(path)), L"rb")); }

bool ToArchiveText(std::u16string_view text, std::string& out) { return ToCodePage(text, out); }

std::u16string FromArchiveText(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string out(static_cast<size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), needed);
  return out;
}

std::span<const uint8_t> ModuleResource(int id) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"BINARY");
  // Resource memory belongs to the module and needs no release.
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (!data) return {};
  return {data, SizeofResource(module, found)};
}

}  // namespace tessaro::platform
