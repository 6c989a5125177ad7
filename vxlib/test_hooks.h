// Exports for tests of the real backend only; the program never calls
// them. Outside the driver interface (vxlib/include/vxlib.h) on purpose.
#pragma once

#include "vxlib.h"

extern "C" {

// Removes the library's mouse hook as the system removes a hook that was
// too slow, telling nobody; the watchdog is to notice and reinstall it.
// 1 when the real backend runs, else 0.
VXAPI int VXLIB_TestDropMouseHook(void);
// How often the real backend has installed its mouse hook since
// VX_InitLib; 0 when it does not run.
VXAPI int VXLIB_TestMouseHookInstalls(void);

}  // extern "C"
