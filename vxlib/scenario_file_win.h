// Where the simulation's scenario comes from: the file named by the
// environment variable VXLIB_SCENARIO (a Windows path), else
// "vxlib_scenario.json" beside the executable.
#pragma once

#include <vector>

#include "vxlib/scenario.h"

namespace vxlib {

// No file, an unreadable or oversized one, or bad content: no devices.
std::vector<SimDevice> LoadScenarioDevices();

// Whether a scenario is given at all: VXLIB_SCENARIO is set (even to a
// missing file), or the file beside the executable exists.
bool ScenarioGiven();

}  // namespace vxlib
