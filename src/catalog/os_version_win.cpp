#include <windows.h>

#include "catalog/os_version.h"

namespace tessaro {

// GetVersionEx lies to programs without a compatibility manifest; the
// kernel's own call does not.
int OsMajorVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  static const int major = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto get_version =
        ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get_version || get_version(&info) != 0) return 0;
    return static_cast<int>(info.dwMajorVersion);
  }();
  return major;
}

}  // namespace tessaro
