#include "shell/program_windows_win.h"

#include <windows.h>

#include <iterator>

#include "catalog/unique_handle_win.h"

namespace tessaro {
namespace {

std::u16string ProcessPath(DWORD process_id) {
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD length = static_cast<DWORD>(std::size(path));
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &length)) return {};
  return {reinterpret_cast<const char16_t*>(path), length};
}

bool IsProgramWindow(HWND window) {
  return IsWindowVisible(window) && !GetWindow(window, GW_OWNER) &&
         (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 && GetWindowTextLengthW(window) > 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM programs) {
  if (!IsProgramWindow(window)) return TRUE;
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  std::u16string path = ProcessPath(process_id);
  if (!path.empty()) reinterpret_cast<std::vector<std::u16string>*>(programs)->push_back(std::move(path));
  return TRUE;
}

}  // namespace

std::vector<std::u16string> VisibleWindowPrograms() {
  std::vector<std::u16string> programs;
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&programs));
  return programs;
}

std::u16string OwnProgramPath() { return ProcessPath(GetCurrentProcessId()); }

}  // namespace tessaro
