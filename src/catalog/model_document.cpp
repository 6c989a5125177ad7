#include "catalog/model_document.h"

#include <algorithm>
#include <string>

#include "catalog/json_values.h"
#include "catalog/utf.h"

namespace tessaro {

namespace {

const nlohmann::json& Member(const nlohmann::json& object, const char* key) {
  static const nlohmann::json kNull;
  const auto it = object.find(key);
  return it != object.end() ? *it : kNull;
}

// A list key may be absent or null; anything but an array breaks the document.
bool IsList(const nlohmann::json& value) { return value.is_null() || value.is_array(); }

// At most `limit` elements of a list (none for null).
size_t EntryCount(const nlohmann::json& list, int limit) {
  return list.is_array() ? std::min(list.size(), static_cast<size_t>(limit)) : 0;
}

MarkerPosition ReadPosition(const nlohmann::json& entry) { return {ReadJsonInt(entry, "x"), ReadJsonInt(entry, "y")}; }

void ReadButtons(const nlohmann::json& list, MODEL_DEF& model) {
  for (size_t i = 0; i < EntryCount(list, kModelButtonEntries); ++i) {
    const nlohmann::json& entry = list[i];
    model.button_pos[i] = ReadPosition(entry);
    model.image[i] = ReadJsonText(entry, "image");
    model.numStr[i] = ReadJsonText(entry, "numStr");
    model.one_time[i] = ReadJsonInt(entry, "one_time");
    model.str[i] = ReadJsonText(entry, "str");
    model.image_over[i] = ReadJsonInt(entry, "image_over");
    model.function[i] = ReadJsonText(entry, "function");
    model.exclude[i] = ReadJsonInt(entry, "exclude");
  }
}

void ReadTilts(const nlohmann::json& list, MODEL_DEF& model) {
  for (size_t j = 0; j < EntryCount(list, kModelTiltEntries); ++j) {
    const nlohmann::json& entry = list[j];
    model.tilt_pos[j] = ReadPosition(entry);
    model.tilt_image_over[j] = ReadJsonInt(entry, "image_over");
    model.tilt_str[j] = ReadJsonText(entry, "str");
    model.tilt_function[j] = ReadJsonText(entry, "function");
    model.tilt_numStr[j] = ReadJsonText(entry, "numStr");
    model.tilt_exclude[j] = ReadJsonInt(entry, "exclude");
  }
}

void ReadDefinition(const nlohmann::json& define, MODEL_DEF& model) {
  model.model_id = ReadJsonInt(define, "model_id");
  model.button = static_cast<uint32_t>(ReadJsonInt(define, "button")) & ~1u;  // the primary button is never offered
  model.usb_vid = ReadJsonInt(define, "usb_vid");
  model.usb_pid = ReadJsonInt(define, "usb_pid");
  model.pid = ReadJsonInt(define, "pid");
  model.vid = ReadJsonInt(define, "vid");
  model.type = ReadJsonInt(define, "type");
  model.tilt = ReadJsonInt(define, "tilt");
  model.tilt_mask_l = ReadJsonInt(define, "tilt_mask_l");
  model.tilt_mask_r = ReadJsonInt(define, "tilt_mask_r");
  model.swap45 = ReadJsonInt(define, "swap45");
}

void ReadHidEntries(const nlohmann::json& list, int32_t language_id, MODEL_DEF& model) {
  model.hid_count = static_cast<int32_t>(EntryCount(list, kModelHidEntries));
  VX_FUNCTION_DEF none{};
  none.type = 255;
  model.hid_function_define.assign(static_cast<size_t>(model.hid_count), none);
  for (int32_t k = 0; k < model.hid_count; ++k) {
    const nlohmann::json& entry = list[k];
    if (k < kModelHidPositions) model.hid_pos[k] = ReadPosition(entry);
    model.hid_down[k] = ReadJsonInt(entry, "down");
    model.hid_up[k] = ReadJsonInt(entry, "up");
    const nlohmann::json& define = Member(entry, "function_define");
    if (define.is_null()) continue;
    const nlohmann::json& names = Member(entry, "function_name");
    std::u16string name = ReadJsonText(names, std::to_string(language_id));
    if (name.empty()) name = ReadJsonText(names, "1033");
    CopyToField(name, model.hid_function_name[k], kHidFunctionNameUnits);
    VX_FUNCTION_DEF& function = model.hid_function_define[k];
    function.type = static_cast<uint8_t>(ReadJsonInt(define, "type"));
    ReadJsonBytes(define, "press", function.press);
    ReadJsonBytes(define, "release", function.release);
  }
}

}  // namespace

bool ReadModelDocument(const nlohmann::json& document, int32_t language_id, MODEL_DEF& out) {
  if (!document.is_object()) return false;
  const nlohmann::json& name = Member(document, "model_name");
  const nlohmann::json& image = Member(document, "model_image");
  const nlohmann::json& buttons = Member(document, "button_pos");
  const nlohmann::json& tilts = Member(document, "tilt_pos");
  const nlohmann::json& define = Member(document, "model_define");
  const nlohmann::json& hids = Member(document, "hid_num");
  if (!name.is_string() || !image.is_string() || !define.is_object()) return false;
  if (!IsList(buttons) || !IsList(tilts) || !IsList(hids)) return false;

  out.model_name = ReadJsonText(document, "model_name");
  const std::string& image_name = image.get_ref<const std::string&>();
  image_name.copy(out.model_image, std::min(image_name.size(), sizeof out.model_image - 1));
  out.tilt_image_pos = ReadJsonInt(document, "tilt_image_pos");
  ReadButtons(buttons, out);
  ReadTilts(tilts, out);
  ReadDefinition(define, out);
  ReadHidEntries(hids, language_id, out);
  return true;
}

}  // namespace tessaro
