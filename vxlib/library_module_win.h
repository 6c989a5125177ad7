// The library's own module, VXLIB.dll: for its window classes and hooks,
// and for the reference that keeps it loaded while a thread of its runs.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vxlib {

inline HINSTANCE LibraryModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace vxlib
