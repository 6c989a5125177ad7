#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "catalog/file_replace.h"
#include "catalog/unique_handle_win.h"

namespace tessaro {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string Decimal(unsigned long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// A name no other writer, in this process or another, is using now.
UniqueHandle CreateTemporary(const std::u16string& target, std::u16string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + u"." + Decimal(GetCurrentProcessId()) + u"." + Decimal(counter++) + u".tmp";
    UniqueHandle file(CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return UniqueHandle();
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A reader (a virus scanner, an editor) may hold the old file open for a
// moment; the rename is tried again before giving up.
bool MoveIntoPlace(const std::u16string& from, const std::u16string& to) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) return false;
    Sleep(20);
  }
  return false;
}

}  // namespace

bool ReplaceFileContents(std::u16string_view path, std::string_view contents) {
  const std::u16string target(path);
  // Windows refuses to move over a read-only file, but not every file
  // system does (nor Wine), so the mark is asked first.
  const DWORD attributes = GetFileAttributesW(Wide(target));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  std::u16string temporary;
  UniqueHandle file = CreateTemporary(target, temporary);
  if (!file) return false;
  const bool written = WriteAll(file.get(), contents) && FlushFileBuffers(file.get());
  file.reset();
  if (written && MoveIntoPlace(temporary, target)) return true;
  DeleteFileW(Wide(temporary));
  return false;
}

bool RenameFileKeepingOthers(std::u16string_view from, std::u16string_view to) {
  // Without MOVEFILE_REPLACE_EXISTING an existing target is an error.
  return MoveFileExW(Wide(std::u16string(from)), Wide(std::u16string(to)), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace tessaro
