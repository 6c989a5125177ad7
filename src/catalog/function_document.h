// Turns the parsed function.json into a function catalogue.
#pragma once

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string_view>

#include "catalog/function_catalogue.h"

namespace tessaro {

struct FunctionDocumentContext {
  int32_t language_id = 1033;
  int32_t previous_language_id = -1;
  bool win11 = false;
  int os_major_version = 0;
  // The cached icon for an "image_file" name (decoded when first drawn).
  std::function<FunctionIcon*(std::u16string_view image_file)> icon;
};

// Walks the elements of root (an array; anything else gives an empty
// catalogue). An element whose keys hold the wrong JSON types is skipped
// whole; the others still load.
FunctionCatalogue BuildFunctionCatalogue(const nlohmann::json& root, const FunctionDocumentContext& context);

}  // namespace tessaro
