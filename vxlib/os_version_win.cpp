// isWin11: from the system's own build number. GetVersionEx answers what
// the executable's manifest claims, so the kernel is asked directly.
#include <windows.h>

#include "vxlib.h"
#include "vxlib/guard.h"

namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

extern "C" VXAPI bool isWin11(void) {
  return vxlib::Guarded(false, [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return false;
    // Through void(*)(void), which converts to any function type without
    // a warning.
    const auto rtl_get_version = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (!rtl_get_version) return false;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtl_get_version(&info) != 0) return false;
    return info.dwMajorVersion == 10 && info.dwBuildNumber >= 22000;
  });
}
