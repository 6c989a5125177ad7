// Operations for tests of the real backend only. They exist in the test
// build of the library (VXLIB_test.dll, which the library's Wine tests
// load); the shipped VXLIB.dll has the twenty operations of vxlib.h and
// nothing else.
#pragma once

#include "vxlib.h"

extern "C" {

// Which hooks: bits 1 the mouse hook, 2 the keyboard hook.
//
// Removes the library's hooks as the system removes a hook that was too
// slow, telling nobody; the watchdogs are to notice and reinstall them.
// 1 when the real backend runs, else 0.
VXAPI int VXLIB_TestDropHooks(int which);
// How often the real backend has installed the hook (1 or 2) since
// VX_InitLib; 0 when it does not run.
VXAPI int VXLIB_TestHookInstalls(int which);

}  // extern "C"
