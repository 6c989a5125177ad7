// Sends the library's input with SendInput, marked as the library's own.
#pragma once

#include <windows.h>

#include "vxlib/action_input.h"
#include "vxlib/action_plan.h"

namespace vxlib {

// dwExtraInfo of every input the library sends: its hooks pass such input
// on untouched, whatever the triggers say.
inline constexpr ULONG_PTR kOwnInputTag = 0x56584C42;

INPUT ToInput(const InputRecord& record);
// One SendInput call, so that no other input comes between the events.
void SendBatch(const InputBatch& batch);

// The system's state that an action step depends on. screen_clip is
// looked up once by the caller (ScreenClipAvailable).
PlanContext CurrentPlanContext(bool screen_clip);
// Whether the system has the screen clip tool that Win+Shift+S opens.
bool ScreenClipAvailable();

}  // namespace vxlib
