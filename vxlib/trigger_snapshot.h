// What the buttons of every listed mouse act with: each device's model and
// that model's button-to-trigger table. Built whenever the triggers or the
// devices change and never changed afterwards, so that the hook reads it
// without a lock and the action worker finds in it the action the hook
// decided on.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "vxlib.h"
#include "vxlib/button_triggers.h"
#include "vxlib/mouse_input.h"

namespace vxlib {

// A model as its position among the filters given to VX_InitLib.
using ModelIndex = uint16_t;
inline constexpr ModelIndex kNoModel = 0xFFFF;

class TriggerSnapshot {
 public:
  // How the buttons of the device in hand act.
  struct View {
    uint32_t device = 0;          // the listed device; 0 when it is not listed
    ModelIndex model = kNoModel;  // whose triggers act
    uint32_t taken_mask = 0;      // bit Index(b): a trigger of that model takes b over
  };

  // Nothing is taken over.
  TriggerSnapshot() = default;
  TriggerSnapshot(std::span<const VX_TRIGGER_DEF> triggers, std::span<const VX_FILTER_DEF> filters,
                  std::span<const VX_ITEM_DEF> devices);

  // The view for the device that reported last. A device that is not
  // listed (and 0, when none has reported yet) acts as the model the
  // program's window shows first.
  const View& For(uint32_t device) const {
    for (const View& v : devices_) {
      if (v.device == device) return v;
    }
    return fallback_;
  }
  bool Lists(uint32_t device) const { return device != 0 && For(device).device == device; }
  // The action that replaces b's own event for model, or null.
  const VX_FUNCTION_DEF* Find(ModelIndex model, Button b) const;

 private:
  std::vector<View> devices_;
  View fallback_;
  std::vector<std::pair<ModelIndex, ButtonTriggers>> tables_;  // one per model in use
};

}  // namespace vxlib
