#include "vxlib/button_triggers.h"

namespace vxlib {

namespace {

// Models of this type address their buttons through mouse_button.
constexpr uint8_t kMouseButtonModelType = 254;
constexpr uint8_t kTypeDefault = 255;

bool ForModel(const VX_TRIGGER_DEF& t, const VX_FILTER_DEF& model) {
  return t.model_id == model.model_id && t.pid == model.pid && t.vid == model.vid && t.usb_vid == model.usb_vid &&
         t.usb_pid == model.usb_pid;
}

// The button a trigger addresses; HID code triggers and masks of other
// buttons address none of ours.
std::optional<Button> AddressedButton(const VX_TRIGGER_DEF& t, uint8_t model_type) {
  if (t.hid_num_down != 0 || t.hid_num_up != 0) return std::nullopt;
  const uint32_t mask = model_type == kMouseButtonModelType ? t.mouse_button : t.hid_button;
  const uint32_t other = model_type == kMouseButtonModelType ? t.hid_button : t.mouse_button;
  if (other != 0) return std::nullopt;
  if (t.tilt_mask != 0) {
    if (mask != 0) return std::nullopt;
    if (t.tilt_mask == 1) return Button::kTiltLeft;
    if (t.tilt_mask == 2) return Button::kTiltRight;
    return std::nullopt;
  }
  // Button bits 1 to 4: right, middle, back, forward.
  for (Button b : {Button::kRight, Button::kMiddle, Button::kBack, Button::kForward}) {
    if (mask == 1u << (Index(b) + 1)) return b;
  }
  return std::nullopt;
}

}  // namespace

ButtonTriggers::ButtonTriggers(std::span<const VX_TRIGGER_DEF> triggers, const VX_FILTER_DEF& model) {
  for (const auto& t : triggers) {
    if (!ForModel(t, model)) continue;
    const auto b = AddressedButton(t, model.type);
    if (!b || functions_[Index(*b)]) continue;
    if (t.function.type == kTypeDefault) continue;
    functions_[Index(*b)] = t.function;
    taken_mask_ |= 1u << Index(*b);
  }
}

const VX_FUNCTION_DEF* ButtonTriggers::Find(Button b) const {
  const auto& f = functions_[Index(b)];
  return f ? &*f : nullptr;
}

}  // namespace vxlib
