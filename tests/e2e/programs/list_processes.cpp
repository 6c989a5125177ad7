// Lists the processes of the prefix, one line each: the process id as 0x
// and eight hexadecimal digits, a tab, the executable's file name.
//
//   list_processes.exe
//
// The whole list is one snapshot taken by the server, so a process that
// ends meanwhile cannot fail it (the debugger's process listing fails now
// and then, without a word, when one does). Status 1 with the system's
// error when no snapshot can be taken.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "catalog/unique_handle_win.h"

int wmain() {
  const tessaro::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) {
    std::fprintf(stderr, "list_processes: no snapshot (error %lu)\n", GetLastError());
    return 1;
  }
  // Plain line ends for the scripts that read it.
  _setmode(_fileno(stdout), _O_BINARY);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    char name[MAX_PATH * 3];
    if (!WideCharToMultiByte(CP_UTF8, 0, entry.szExeFile, -1, name, sizeof name, nullptr, nullptr)) name[0] = 0;
    std::printf("0x%08lx\t%s\n", entry.th32ProcessID, name);
  }
  // The end of the list, not a walk that broke off.
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    std::fprintf(stderr, "list_processes: the list broke off (error %lu)\n", GetLastError());
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
