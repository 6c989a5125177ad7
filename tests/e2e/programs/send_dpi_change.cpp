// Sends WM_DPICHANGED to another program's window as Windows does when the
// window moves to a monitor of another scale: the new DPI, and a pointer to
// the suggested window rectangle, which is written into the receiving
// process first, since the message carries it by address.
//
//   send_dpi_change.exe <window title> <dpi> <left> <top> <width> <height>
//
// Ends once the window has handled the message: 0, or a nonzero status
// when the window or its process could not be reached.
#include <windows.h>

#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
  if (argc != 7) return 2;
  const int dpi = _wtoi(argv[2]);
  const int left = _wtoi(argv[3]), top = _wtoi(argv[4]), width = _wtoi(argv[5]), height = _wtoi(argv[6]);
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 3;
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_id);
  if (!process) return 4;
  int status = 5;
  const RECT suggested{left, top, left + width, top + height};
  if (void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    DWORD_PTR result = 0;
    if (WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
        SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 30000, &result))
      status = 0;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return status;
}
