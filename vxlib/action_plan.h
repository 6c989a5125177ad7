// What an action's bytes ask for (docs/ACTIONS.md): the input of its
// press part, of its release part and of one repeat step, the system
// requests that are not input, and the rapid-fire timing. Pure decoding:
// the timing of holds and repeats is the ActionRunner's.
#pragma once

#include <chrono>
#include <optional>

#include "vxlib.h"
#include "vxlib/action_input.h"

namespace vxlib {

// What the system looks like at the moment a step is performed.
struct PlanContext {
  bool buttons_swapped = false;  // primary button is the right one
  bool ctrl_down = false;        // Ctrl is held already
  bool screen_clip = true;       // Win+Shift+S opens the screen clip tool
};

// Work that is no input and may take time: performed off the input path.
enum class SystemRequest : uint8_t { kNone, kLock, kDisplayOff, kOpen };

struct Step {
  InputBatch input;  // one SendInput call; empty for none
  SystemRequest request = SystemRequest::kNone;
};

// The down event's part; also one repeat step of a repeating action.
Step PressStep(const VX_FUNCTION_DEF& f, const PlanContext& context);
// The up event's part.
InputBatch ReleaseInput(const VX_FUNCTION_DEF& f, const PlanContext& context);
// Types 3, 6, 7 and 10 with the repeat flag: again after 400 ms, then
// every 80 ms while held.
bool Repeats(const VX_FUNCTION_DEF& f);

struct RapidFire {
  uint8_t button;  // 0 primary, 1 secondary, 2 middle
  int clicks_per_second;
  std::chrono::milliseconds down_time;
};
// Type 22 with its limits applied; nullopt for other types and for an
// unknown button.
std::optional<RapidFire> RapidFireOf(const VX_FUNCTION_DEF& f);
// Button b (0 primary ... 4 forward) going down or up; empty for an
// unknown b.
InputBatch MouseButtonInput(uint8_t b, bool up, const PlanContext& context);

}  // namespace vxlib
