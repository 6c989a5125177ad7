#include "shell/memory_report_win.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <string>

namespace tessaro {

void WritePeakMemoryIfAsked() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(kPeakMemoryFileVariable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return;
  if (FILE* file = _wfopen(path, L"w")) {
    std::fprintf(file, "%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    std::fclose(file);
  }
}

}  // namespace tessaro
