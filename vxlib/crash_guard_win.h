// Nothing the library holds stays down when the process crashes: an
// unhandled-exception filter sends the up event of every key and mouse
// button the library's input holds and gives the pointer the user's speed
// back, then hands the exception on to the filter that was there before.
// It neither locks nor allocates: the process may be crashing anywhere.
#pragma once

#include "vxlib/held_input.h"

namespace vxlib::crash_guard {

// What the filter releases; the action worker keeps it current. Lives as
// long as the process.
HeldInput& Held();

// At VX_InitLib: the filter goes in front of the one installed now.
void Install();
// At VX_FreeLib: the previous filter comes back, unless another one was
// installed after the library's (that one stays, and the library's filter
// then only hands on).
void Uninstall();

}  // namespace vxlib::crash_guard
