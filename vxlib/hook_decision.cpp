#include "vxlib/hook_decision.h"

namespace vxlib {

HookDecision HookDecider::DecideButton(uint32_t message, uint32_t mouse_data) {
  const auto event = ClassifyMouseMessage(message, mouse_data);
  if (!event) return {};
  const auto taken = [&] { return (taken_mask_.load(std::memory_order_acquire) >> Index(event->button)) & 1u; };
  Verdict verdict = Verdict::kPass;
  switch (event->edge) {
    case Edge::kDown:
      verdict = pairing_.Down(event->button, taken());
      break;
    case Edge::kUp:
      verdict = pairing_.Up(event->button);
      break;
    case Edge::kNotch:
      verdict = taken() ? Verdict::kSwallow : Verdict::kPass;
      break;
  }
  if (verdict == Verdict::kPass) return {};
  return {verdict, event};
}

}  // namespace vxlib
