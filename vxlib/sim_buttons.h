// The simulation's buttons: a press, release or wheel step that the
// control channel names goes through the hook's own decision (HookDecider)
// with the program the channel has put in front, and is answered with what
// the library on a real PC would do with it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "vxlib/foreground_program.h"
#include "vxlib/hook_decision.h"

namespace vxlib {

class SimButtons final : private ForegroundProgram {
 public:
  SimButtons() : decider_(last_device_, *this) {}
  SimButtons(const SimButtons&) = delete;
  SimButtons& operator=(const SimButtons&) = delete;

  // The program that owns the foreground window from now on, by its file
  // name or path; empty for one whose name cannot be read.
  void SetForeground(std::u16string_view program);
  // Its file name; nullopt until one is set.
  const std::optional<std::u16string>& foreground() const { return foreground_; }

  struct Outcome {
    bool swallowed = false;
    uint32_t profile = 0;  // the id of the program's profile that acts; 0: the default's
    // What a press or a wheel step performs; nothing for a release, which
    // ends what its press started.
    std::optional<VX_FUNCTION_DEF> function;
  };
  // The event as coming from device (0: one that is not listed), decided
  // with snapshot.
  Outcome Decide(std::shared_ptr<const TriggerSnapshot> snapshot, uint32_t device, ButtonEvent event);

 private:
  ForegroundKey Current() override { return foreground_ ? ForegroundKey{serial_, key_} : ForegroundKey{}; }

  std::atomic<uint32_t> last_device_{0};
  std::optional<std::u16string> foreground_;
  std::u16string key_;
  uint32_t serial_ = 0;
  std::shared_ptr<const TriggerSnapshot> snapshot_;
  HookDecider decider_;  // last: it reads the members above
};

}  // namespace vxlib
