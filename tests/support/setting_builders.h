// Builders for assignment records and catalogue models in tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "catalog/model_catalogue.h"
#include "device/button_setting.h"

namespace test_support {

// A model with the given identifiers and nothing else.
tessaro::MODEL_DEF TestModel(int32_t model_id, int32_t pid, int32_t vid = 0x4b, int32_t usb_vid = 0,
                             int32_t usb_pid = 0, int32_t type = 1);
// Adds a HID entry with a default function to model.
void AddHidDefault(tessaro::MODEL_DEF& model, int32_t down, int32_t up, uint8_t type, std::u16string_view name,
                   std::initializer_list<uint8_t> press);

// Triggers of one button of model: bit p (hid or mouse mask by the model's
// type), a tilt direction (1 left, 2 right) or a HID code pair.
VX_TRIGGER_DEF ButtonTrigger(const tessaro::MODEL_DEF& model, int p);
VX_TRIGGER_DEF TiltTrigger(const tessaro::MODEL_DEF& model, uint8_t direction);
VX_TRIGGER_DEF HidTrigger(const tessaro::MODEL_DEF& model, uint8_t down, uint8_t up);

tessaro::BUTTON_SETTING_DEF Setting(const VX_TRIGGER_DEF& trigger, uint8_t type, std::u16string_view name,
                                    std::initializer_list<uint8_t> press = {},
                                    std::initializer_list<uint8_t> release = {}, std::u16string_view url = u"");

// Whole records compared, slot aside.
bool SameApartFromSlot(const tessaro::BUTTON_SETTING_DEF& a, const tessaro::BUTTON_SETTING_DEF& b);
bool SameApartFromSlot(const VX_TRIGGER_DEF& a, const VX_TRIGGER_DEF& b);

}  // namespace test_support
