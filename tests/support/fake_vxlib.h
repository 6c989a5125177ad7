// A recording stand-in for VXLIB.dll in native tests: every call into the
// driver library's C interface is logged in order, the installed triggers
// are kept by identity as the real library keeps them, and the devices it
// reports are whatever the test sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vxlib.h"
#include "vxlib/app_profiles.h"

namespace fake_vxlib {

struct Call {
  std::string op;            // the operation's name, e.g. "VX_SetTriggerEvent"
  VX_TRIGGER_DEF trigger{};  // for the trigger operations
  std::vector<int> args;     // integer arguments in order
  std::u16string text;       // text argument, if any
};

void Reset();
std::vector<Call> Calls();
std::vector<Call> CallsNamed(const std::string& op);
std::vector<VX_TRIGGER_DEF> InstalledTriggers();
// The profiles VX_SetAppProfile holds, by the library's own rules.
std::vector<vxlib::AppProfile> Profiles();
void SetDevices(const std::vector<VX_ITEM_DEF>& devices);
VX_CALLBACK Callback();
int SlowdownModifier();
// What isWin11 answers (true until set; Reset restores it).
void SetWin11(bool win11);

}  // namespace fake_vxlib
