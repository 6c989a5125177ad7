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
  switch (event->edge) {
    case Edge::kDown: {
      const auto& v = view();
      verdict = pairing_.Down(event->button, taken(v, event->button), v.device);
      model = v.model;
      break;
    }
    case Edge::kUp:
      verdict = pairing_.Up(event->button);
      break;
    case Edge::kNotch: {
      const auto& v = view();
      verdict = taken(v, event->button) ? Verdict::kSwallow : Verdict::kPass;
      model = v.model;
      break;
    }
  }
  if (verdict == Verdict::kPass) return {};
  return {verdict, Handover{*event, model}};
}

uint32_t HookDecider::Adopt(std::shared_ptr<const TriggerSnapshot> snapshot) {
  if (!snapshot) return 0;
  snapshot_ = std::move(snapshot);
  return pairing_.Forget([&](uint32_t device) { return !snapshot_->Lists(device); });
}

}  // namespace vxlib
