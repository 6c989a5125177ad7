// Arbitrary bytes as a JSON document: every value reader on every key of
// the root object. Type errors are the readers' documented answer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/json_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nlohmann::json document;
  if (!tessaro::ParseJsonDocument(std::string_view(reinterpret_cast<const char*>(data), size), document)) return 0;
  if (!document.is_object()) return 0;
  for (const auto& item : document.items()) {
    const std::string& key = item.key();
    try {
      tessaro::FormatNumberText(tessaro::ReadJsonInt(document, key), static_cast<int>(key.size() % 5));
    } catch (const nlohmann::json::type_error&) {
    }
    tessaro::ReadJsonText(document, key);
    uint8_t bytes[256];
    try {
      tessaro::ReadJsonBytes(document, key, bytes);
    } catch (const nlohmann::json::type_error&) {
    }
  }
  return 0;
}
