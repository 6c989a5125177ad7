// What the low-level mouse hook does with one event that is not injected:
// pass it on or swallow it, and what the action worker gets. The event
// belongs to the mouse that sent the most recent Raw Input report, and acts
// with the triggers of that mouse's model: those of the profile of the
// program in front when it assigns the button, else the default ones.
// Owned by the hook's thread; per event it reads one atomic word (that
// mouse) and the snapshot it holds, and neither locks nor allocates. Only
// a press or a wheel step of a button some profile assigns asks which
// program is in front.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "vxlib/foreground_program.h"
#include "vxlib/handover.h"
#include "vxlib/press_pairing.h"
#include "vxlib/trigger_snapshot.h"

namespace vxlib {

struct HookDecision {
  Verdict verdict = Verdict::kPass;
  // Set exactly when the event is swallowed: the worker performs it.
  std::optional<Handover> perform;
};

class HookDecider {
 public:
  // last_device: the device of the most recent Raw Input mouse report, 0
  // while none has reported. foreground: which program owns the foreground
  // window. Nothing is taken over until Adopt.
  HookDecider(const std::atomic<uint32_t>& last_device, ForegroundProgram& foreground)
      : last_device_(last_device), foreground_(foreground), snapshot_(std::make_shared<const TriggerSnapshot>()) {}

  HookDecision Decide(uint32_t message, uint32_t mouse_data) {
    // Moves and the left button, nearly every event, leave at once.
    if (message < mouse_message::kRightDown || message > mouse_message::kHorizontalWheel) return {};
    return DecideButton(message, mouse_data);
  }

  // The hook was lost and is installed afresh; see PressPairing.
  void Reinstalled(uint32_t system_down) { pairing_.Reinstalled(system_down); }

  // Takes a new snapshot, between two events. Returns the buttons (bit
  // Index(b)) whose swallowed press came from a device the snapshot no
  // longer lists: the worker is to end what they started.
  uint32_t Adopt(std::shared_ptr<const TriggerSnapshot> snapshot);

 private:
  HookDecision DecideButton(uint32_t message, uint32_t mouse_data);
  // The id of the profile that takes b of the view's model over, 0 for
  // none: the program in front's, when it assigns b.
  uint32_t ActingProfile(const TriggerSnapshot::View& view, Button b);

  const std::atomic<uint32_t>& last_device_;
  ForegroundProgram& foreground_;
  std::shared_ptr<const TriggerSnapshot> snapshot_;
  PressPairing pairing_;
  // The profile of the last program asked about, in the snapshot held.
  uint32_t program_serial_ = 0;
  std::optional<size_t> program_profile_;
};

}  // namespace vxlib
