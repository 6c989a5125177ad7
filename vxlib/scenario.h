// The simulated devices: the scenario file that lists the devices present
// at start, and the device objects of the control channel's "plug".
//
//   {"devices": [{"name": "...", "type": N, "unit_index": N,
//                 "unit_active": [flag, ...], "vendor_code": N, "sub_id": N,
//                 "usb_vid": N, "usb_pid": N, "handle": N}]}
//
// Numbers are JSON integers or "0x" texts; a missing field is 0 (name
// empty, no active unit flags); unknown fields are refused.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vxlib.h"

namespace vxlib {

struct SimDevice {
  std::string name;  // UTF-8, for people reading the state
  VX_ITEM_DEF item{};
};

// nullopt for anything that is not a well-formed device object.
std::optional<SimDevice> ParseDevice(const nlohmann::json& object);

// The inverse of ParseDevice: numbers as JSON integers, unit flags up to
// the last non-zero one.
nlohmann::json DeviceToJson(const SimDevice& device);

// The scenario's devices in file order. Text that is not JSON, a device
// that does not parse or two devices with one handle give no devices: a
// half-read scenario would be harder to notice than an empty one.
std::vector<SimDevice> ParseScenario(std::string_view text);

}  // namespace vxlib
