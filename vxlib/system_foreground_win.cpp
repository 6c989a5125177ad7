#include "vxlib/system_foreground_win.h"

#include <windows.h>

#include <iterator>

namespace vxlib {

ForegroundKey SystemForeground::Current() {
  HWND window = GetForegroundWindow();
  if (!window) return {};
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return cache_.Of(process_id, reinterpret_cast<uintptr_t>(window));
}

ProcessProbe::Opened SystemForeground::Open(uint32_t process_id) {
  // SYNCHRONIZE: Ended waits on it. The limited query right is granted for
  // elevated processes too.
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, process_id);
  if (!process) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD length = static_cast<DWORD>(std::size(path));
  Opened opened{reinterpret_cast<uintptr_t>(process), {}};
  if (QueryFullProcessImageNameW(process, 0, path, &length)) {
    opened.path.assign(reinterpret_cast<const char16_t*>(path), length);
  }
  return opened;
}

bool SystemForeground::Ended(uintptr_t handle) {
  return WaitForSingleObject(reinterpret_cast<HANDLE>(handle), 0) == WAIT_OBJECT_0;
}

void SystemForeground::Close(uintptr_t handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }

}  // namespace vxlib
