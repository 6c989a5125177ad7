// When two trigger records denote the same button event. The program and
// the driver library both decide replacement and removal by this.
#pragma once

#include "vxlib.h"

inline bool SameTriggerIdentity(const VX_TRIGGER_DEF& a, const VX_TRIGGER_DEF& b) {
  return a.hid_button == b.hid_button && a.mouse_button == b.mouse_button && a.model_id == b.model_id &&
         a.pid == b.pid && a.vid == b.vid && a.usb_vid == b.usb_vid && a.usb_pid == b.usb_pid &&
         a.hid_num_down == b.hid_num_down && a.hid_num_up == b.hid_num_up && a.tilt_mask == b.tilt_mask;
}
