// What the library's exported operations need from whatever serves the
// devices: the simulation (scenario devices, control channel) today, a
// backend acting on the real PC's input later. A backend keeps the
// installed triggers, the slowdown modifier and the button masks, and
// reports device changes through an EventSink.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "vxlib.h"
#include "vxlib/pending_event.h"

namespace vxlib {

// Takes events for delivery to the program; callable from any thread.
class EventSink {
 public:
  virtual void Post(PendingEvent event) = 0;

 protected:
  ~EventSink() = default;
};

// The arguments of VX_SetButtonMask after the handle.
struct ButtonMask {
  uint32_t mask1 = 0;
  uint32_t mask2 = 0;
  uint32_t mask3 = 0;
  uint32_t sub_id = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Begins serving the models in filters and reports kind 4 once through
  // sink for the devices present. sink outlives the backend's work (Stop).
  virtual void Start(std::span<const VX_FILTER_DEF> filters, EventSink& sink) = 0;
  // Ends the work: no event is posted afterwards. Safe to call again.
  virtual void Stop() = 0;

  virtual std::vector<VX_ITEM_DEF> Devices() const = 0;
  virtual void RefreshDevices() = 0;

  // Installs a trigger, replacing an installed one of the same identity.
  virtual void SetTrigger(const VX_TRIGGER_DEF& trigger) = 0;
  // False when no trigger of that identity is installed.
  virtual bool RemoveTrigger(const VX_TRIGGER_DEF& trigger) = 0;
  // Clears the default profile's triggers; the programs' profiles stay.
  virtual void ClearTriggers() = 0;
  // Replaces the profile of program (a valid file name) by triggers;
  // none removes it. False when AppProfiles::Set refuses it.
  virtual bool SetAppProfile(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) = 0;

  // False when no device has that handle.
  virtual bool SetButtonMask(uint32_t handle, const ButtonMask& mask) = 0;
  // modifiers: 1 Ctrl, 2 Shift, 4 Alt, 8 Win, 0 off.
  virtual void SetSlowdownModifier(int modifiers) = 0;
};

}  // namespace vxlib
