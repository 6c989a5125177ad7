#include "shell/process_memory_win.h"

#include <malloc.h>
#include <windows.h>

#include <vector>

namespace tessaro {

void ReturnFreedMemory() {
  // The C runtime's heap first, then every heap of the process (GDI+ and
  // the system libraries keep their own).
  _heapmin();
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr));
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  for (HANDLE heap : heaps) HeapCompact(heap, 0);
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace tessaro
