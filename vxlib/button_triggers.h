// The button-to-trigger table of the model the buttons act for: one slot
// per button, built whenever the triggers or that model change, so that
// the hook's look-up costs the same with 1 or 500 triggers installed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "vxlib.h"
#include "vxlib/mouse_input.h"

namespace vxlib {

class ButtonTriggers {
 public:
  // Nothing taken over: no model is being served.
  ButtonTriggers() = default;
  // The triggers of model among triggers; the first of several for one
  // button wins. Type 255 leaves the button its own event.
  ButtonTriggers(std::span<const VX_TRIGGER_DEF> triggers, const VX_FILTER_DEF& model);

  // The action that replaces b's own event, or null.
  const VX_FUNCTION_DEF* Find(Button b) const;
  // Bit Index(b) for each button that has an action.
  uint32_t taken_mask() const { return taken_mask_; }

 private:
  std::array<std::optional<VX_FUNCTION_DEF>, kButtonCount> functions_;
  uint32_t taken_mask_ = 0;
};

}  // namespace vxlib
