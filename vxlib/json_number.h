// Whole numbers in the simulation's JSON (scenario file, control channel):
// a JSON integer or a "0x"-prefixed hexadecimal text.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

namespace vxlib {

// The value when it is a whole number in [min, max]; nullopt for anything
// else (fractions, booleans, other texts, out of range).
std::optional<int64_t> ReadWholeNumber(const nlohmann::json& value, int64_t min, int64_t max);

// The same for object[key]; a missing key gives fallback.
std::optional<int64_t> ReadWholeNumber(const nlohmann::json& object, const char* key, int64_t min, int64_t max,
                                       int64_t fallback);

}  // namespace vxlib
