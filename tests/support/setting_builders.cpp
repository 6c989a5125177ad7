#include "support/setting_builders.h"

#include <algorithm>
#include <cstring>

#include "catalog/utf.h"

namespace test_support {

using tessaro::BUTTON_SETTING_DEF;
using tessaro::MODEL_DEF;

MODEL_DEF TestModel(int32_t model_id, int32_t pid, int32_t vid, int32_t usb_vid, int32_t usb_pid, int32_t type) {
  MODEL_DEF model;
  model.model_id = model_id;
  model.pid = pid;
  model.vid = vid;
  model.usb_vid = usb_vid;
  model.usb_pid = usb_pid;
  model.type = type;
  return model;
}

void AddHidDefault(MODEL_DEF& model, int32_t down, int32_t up, uint8_t type, std::u16string_view name,
                   std::initializer_list<uint8_t> press) {
  const int k = model.hid_count++;
  model.hid_down[k] = down;
  model.hid_up[k] = up;
  model.hid_function_define.resize(static_cast<size_t>(k) + 1);
  VX_FUNCTION_DEF& define = model.hid_function_define[k];
  define.type = type;
  std::copy(press.begin(), press.end(), define.press);
  tessaro::CopyToField(name, model.hid_function_name[k], tessaro::kHidFunctionNameUnits);
}

VX_TRIGGER_DEF ButtonTrigger(const MODEL_DEF& model, int p) {
  VX_TRIGGER_DEF trigger = tessaro::ModelTrigger(model);
  (model.type == 254 ? trigger.mouse_button : trigger.hid_button) = 1u << p;
  return trigger;
}

VX_TRIGGER_DEF TiltTrigger(const MODEL_DEF& model, uint8_t direction) {
  VX_TRIGGER_DEF trigger = tessaro::ModelTrigger(model);
  trigger.tilt_mask = direction;
  return trigger;
}

VX_TRIGGER_DEF HidTrigger(const MODEL_DEF& model, uint8_t down, uint8_t up) {
  VX_TRIGGER_DEF trigger = tessaro::ModelTrigger(model);
  trigger.hid_num_down = down;
  trigger.hid_num_up = up;
  return trigger;
}

BUTTON_SETTING_DEF Setting(const VX_TRIGGER_DEF& trigger, uint8_t type, std::u16string_view name,
                           std::initializer_list<uint8_t> press, std::initializer_list<uint8_t> release,
                           std::u16string_view url) {
  BUTTON_SETTING_DEF setting{};
  tessaro::CopyToField(name, setting.function_name, tessaro::kFunctionNameUnits);
  setting.trigger = trigger;
  setting.trigger.function.type = type;
  std::copy(press.begin(), press.end(), setting.trigger.function.press);
  std::copy(release.begin(), release.end(), setting.trigger.function.release);
  tessaro::CopyToField(url, setting.trigger.function.url, std::size(setting.trigger.function.url));
  return setting;
}

bool SameApartFromSlot(const VX_TRIGGER_DEF& a, const VX_TRIGGER_DEF& b) {
  VX_TRIGGER_DEF x = a;
  x.slot = b.slot;
  return std::memcmp(&x, &b, sizeof x) == 0;
}

bool SameApartFromSlot(const BUTTON_SETTING_DEF& a, const BUTTON_SETTING_DEF& b) {
  return std::memcmp(a.function_name, b.function_name, sizeof a.function_name) == 0 &&
         SameApartFromSlot(a.trigger, b.trigger);
}

}  // namespace test_support
