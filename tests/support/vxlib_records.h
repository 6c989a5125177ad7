// Driver-side records for tests of the library's real backend: actions,
// registered models and the triggers the program installs for them.
// Header-only: both the native and the Wine tests use it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "vxlib.h"
#include "vxlib/foreground_program.h"

namespace test_support {

inline VX_FUNCTION_DEF Function(uint8_t type, std::initializer_list<uint8_t> press = {},
                                std::initializer_list<uint8_t> release = {}, std::u16string_view url = u"") {
  VX_FUNCTION_DEF f{};
  f.type = type;
  std::copy(press.begin(), press.end(), f.press);
  std::copy(release.begin(), release.end(), f.release);
  std::copy_n(url.begin(), std::min(url.size(), std::size(f.url) - 1), f.url);
  return f;
}

inline VX_FILTER_DEF Filter(uint8_t type, uint16_t model_id, uint16_t pid, uint16_t vid, uint32_t usb_vid = 0,
                            uint32_t usb_pid = 0) {
  VX_FILTER_DEF f{};
  f.type = type;
  f.model_id = model_id;
  f.pid = pid;
  f.vid = vid;
  f.usb_vid = usb_vid;
  f.usb_pid = usb_pid;
  return f;
}

// A trigger of model with action f and nothing addressed yet.
inline VX_TRIGGER_DEF ModelTriggerOf(const VX_FILTER_DEF& model, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t{};
  t.model_id = model.model_id;
  t.pid = model.pid;
  t.vid = model.vid;
  t.usb_vid = model.usb_vid;
  t.usb_pid = model.usb_pid;
  t.function = f;
  return t;
}

// As the program builds them: bit p in the mask that the model's type
// uses, or a tilt direction (1 left, 2 right).
inline VX_TRIGGER_DEF ButtonBitTrigger(const VX_FILTER_DEF& model, int p, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t = ModelTriggerOf(model, f);
  (model.type == 254 ? t.mouse_button : t.hid_button) = 1u << p;
  return t;
}

inline VX_TRIGGER_DEF TiltDirectionTrigger(const VX_FILTER_DEF& model, uint8_t direction, const VX_FUNCTION_DEF& f) {
  VX_TRIGGER_DEF t = ModelTriggerOf(model, f);
  t.tilt_mask = direction;
  return t;
}

// For hooks of tests without profiles: nothing is ever in front.
class NoProgramInFront final : public vxlib::ForegroundProgram {
 public:
  vxlib::ForegroundKey Current() override { return {}; }
};

}  // namespace test_support
