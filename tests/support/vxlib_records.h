// Driver-side records for tests of the library's real backend: actions,
// registered models and the triggers the program installs for them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "device/vxlib.h"

namespace test_support {

VX_FUNCTION_DEF Function(uint8_t type, std::initializer_list<uint8_t> press = {},
                         std::initializer_list<uint8_t> release = {}, std::u16string_view url = u"");

VX_FILTER_DEF Filter(uint8_t type, uint16_t model_id, uint16_t pid, uint16_t vid, uint32_t usb_vid = 0,
                     uint32_t usb_pid = 0);

// As the program builds them: bit p in the mask that the model's type
// uses, or a tilt direction (1 left, 2 right).
VX_TRIGGER_DEF ButtonBitTrigger(const VX_FILTER_DEF& model, int p, const VX_FUNCTION_DEF& f);
VX_TRIGGER_DEF TiltDirectionTrigger(const VX_FILTER_DEF& model, uint8_t direction, const VX_FUNCTION_DEF& f);

}  // namespace test_support
