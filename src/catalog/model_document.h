// Reads one parsed model.json document into a MODEL_DEF.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

#include "catalog/model_catalogue.h"

namespace tessaro {

// False when the document adds no model: "model_name" or "model_image" is
// not a string, "model_define" is missing, or a list or the model
// definition has the wrong shape. Entries beyond the record's limits are
// left out. Throws nlohmann::json::type_error for number keys of the wrong
// JSON type. out must be a fresh (zeroed) record; it is left partly
// written when the result is false or an exception is thrown.
bool ReadModelDocument(const nlohmann::json& document, int32_t language_id, MODEL_DEF& out);

}  // namespace tessaro
