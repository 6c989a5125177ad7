#include "vxlib/hook_decision.h"

#include <utility>

namespace vxlib {

HookDecision HookDecider::DecideButton(uint32_t message, uint32_t mouse_data) {
  const auto event = ClassifyMouseMessage(message, mouse_data);
  if (!event) return {};
  const auto view = [&]() -> const TriggerSnapshot::View& {
    return snapshot_->For(last_device_.load(std::memory_order_relaxed));
  };
  const auto taken = [](const TriggerSnapshot::View& v, Button b) { return ((v.taken_mask >> Index(b)) & 1u) != 0; };
  Verdict verdict = Verdict::kPass;
  ModelIndex model = kNoModel;
  uint32_t profile = 0;
  switch (event->edge) {
    case Edge::kDown: {
      const auto& v = view();
      profile = ActingProfile(v, event->button);
      verdict = pairing_.Down(event->button, profile != 0 || taken(v, event->button), v.device);
      model = v.model;
      break;
    }
    case Edge::kUp:
      // Whatever is in front now: the release goes where its press went.
      verdict = pairing_.Up(event->button);
      break;
    case Edge::kNotch: {
      const auto& v = view();
      profile = ActingProfile(v, event->button);
      verdict = profile != 0 || taken(v, event->button) ? Verdict::kSwallow : Verdict::kPass;
      model = v.model;
      break;
    }
  }
  if (verdict == Verdict::kPass) return {};
  return {verdict, Handover{*event, model, profile}};
}

uint32_t HookDecider::ActingProfile(const TriggerSnapshot::View& view, Button b) {
  if (((view.profile_mask >> Index(b)) & 1u) == 0) return 0;
  const ForegroundKey front = foreground_.Current();
  const ProfileTables& profiles = snapshot_->profiles();
  if (front.serial != program_serial_) {
    program_serial_ = front.serial;
    program_profile_ = profiles.Find(front.key);
  }
  if (!program_profile_ || !profiles.Find(*program_profile_, view.model, b)) return 0;
  return profiles.id(*program_profile_);
}

uint32_t HookDecider::Adopt(std::shared_ptr<const TriggerSnapshot> snapshot) {
  if (!snapshot) return 0;
  snapshot_ = std::move(snapshot);
  // Profiles may have come or gone: the program in front is worked out anew.
  program_serial_ = 0;
  program_profile_.reset();
  return pairing_.Forget([&](uint32_t device) { return !snapshot_->Lists(device); });
}

}  // namespace vxlib
