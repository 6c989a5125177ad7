#include "support/vxlib_records.h"

#include <algorithm>

namespace test_support {

namespace {

VX_TRIGGER_DEF ModelTriggerOf(const VX_FILTER_DEF& model, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t{};
  t.model_id = model.model_id;
  t.pid = model.pid;
  t.vid = model.vid;
  t.usb_vid = model.usb_vid;
  t.usb_pid = model.usb_pid;
  t.function = f;
  return t;
}

}  // namespace

VX_FUNCTION_DEF Function(uint8_t type, std::initializer_list<uint8_t> press, std::initializer_list<uint8_t> release,
                         std::u16string_view url) {
  VX_FUNCTION_DEF f{};
  f.type = type;
  std::copy(press.begin(), press.end(), f.press);
  std::copy(release.begin(), release.end(), f.release);
  std::copy_n(url.begin(), std::min(url.size(), std::size(f.url) - 1), f.url);
  return f;
}

VX_FILTER_DEF Filter(uint8_t type, uint16_t model_id, uint16_t pid, uint16_t vid, uint32_t usb_vid, uint32_t usb_pid) {
  VX_FILTER_DEF f{};
  f.type = type;
  f.model_id = model_id;
  f.pid = pid;
  f.vid = vid;
  f.usb_vid = usb_vid;
  f.usb_pid = usb_pid;
  return f;
}

VX_TRIGGER_DEF ButtonBitTrigger(const VX_FILTER_DEF& model, int p, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t = ModelTriggerOf(model, f);
  (model.type == 254 ? t.mouse_button : t.hid_button) = 1u << p;
  return t;
}

VX_TRIGGER_DEF TiltDirectionTrigger(const VX_FILTER_DEF& model, uint8_t direction, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t = ModelTriggerOf(model, f);
  t.tilt_mask = direction;
  return t;
}

}  // namespace test_support
