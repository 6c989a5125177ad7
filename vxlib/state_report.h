// The control channel's "state" reply: what the program has programmed
// into the library, and the devices it serves.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "vxlib/library_settings.h"
#include "vxlib/sim_backend.h"

namespace vxlib {

// UTF-16 to UTF-8; the library's own texts pass through this.
using Utf8Encoder = std::string (*)(std::u16string_view);
// And back, for the texts of commands.
using Utf8Decoder = std::u16string (*)(std::string_view);

struct TextCodec {
  Utf8Encoder to_utf8;
  Utf8Decoder from_utf8;
};

// One action: its type, and its bytes without their trailing zero bytes.
nlohmann::json FunctionToJson(const VX_FUNCTION_DEF& function, Utf8Encoder to_utf8);

// One trigger with every field, its action as FunctionToJson has it.
nlohmann::json TriggerToJson(const VX_TRIGGER_DEF& trigger, Utf8Encoder to_utf8);

// The reply object without its "ok" member.
nlohmann::json StateReport(const SimSnapshot& sim, const SettingsSnapshot& settings, Utf8Encoder to_utf8);

}  // namespace vxlib
