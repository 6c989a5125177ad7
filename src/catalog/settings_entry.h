// One stored assignment as the settings file and the profile file hold it:
// an object with "event", "function_define" and "function_name".
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <vector>

#include "device/button_setting.h"

namespace tessaro {

// A member of the wrong JSON type where the readers would not notice it.
struct SettingsFormatError : std::runtime_error {
  SettingsFormatError() : std::runtime_error("settings member of the wrong type") {}
};

// The entry, read whole before any of it is used, so that an entry of the
// wrong format is used not at all; position becomes its slot. Nothing when
// it lacks "event" or "function_define". Throws (a JSON exception or
// SettingsFormatError) for a member of the wrong type.
std::optional<BUTTON_SETTING_DEF> ReadSettingsEntry(const nlohmann::json& entry, size_t position);

// The assignments an entry stands for, in the order they are applied. An
// entry written by this program is one kind of button, but each kind found
// counts: the button bit without the HID codes and tilt, then the tilt and
// the HID codes without the button bits.
std::vector<BUTTON_SETTING_DEF> EntryAssignments(const BUTTON_SETTING_DEF& stored);

}  // namespace tessaro
