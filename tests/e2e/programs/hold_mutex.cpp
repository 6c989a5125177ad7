// Holds a named mutex, as another program that shares it may, until a file
// exists.
//
//   hold_mutex.exe <mutex name> <file>
//
// Prints "held" once it owns the mutex; lets it go and ends once the file
// exists.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 1;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, argv[1]);
  if (!mutex || WaitForSingleObject(mutex, INFINITE) == WAIT_FAILED) return 1;
  std::puts("held");
  std::fflush(stdout);
  while (GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES) Sleep(50);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  return 0;
}
