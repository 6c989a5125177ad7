#include "vxlib/sim_buttons.h"

#include <utility>

#include "program_name.h"

namespace vxlib {

namespace {

struct HookMessage {
  uint32_t message;
  uint32_t data;
};

// The low-level mouse message the system sends for the event: the inverse
// of ClassifyMouseMessage.
HookMessage MessageOf(ButtonEvent event) {
  namespace m = mouse_message;
  const bool down = event.edge == Edge::kDown;
  switch (event.button) {
    case Button::kRight:
      return {down ? m::kRightDown : m::kRightUp, 0};
    case Button::kMiddle:
      return {down ? m::kMiddleDown : m::kMiddleUp, 0};
    case Button::kBack:
      return {down ? m::kXDown : m::kXUp, static_cast<uint32_t>(m::kXButton1) << 16};
    case Button::kForward:
      return {down ? m::kXDown : m::kXUp, static_cast<uint32_t>(m::kXButton2) << 16};
    case Button::kTiltLeft:
      return {m::kHorizontalWheel, static_cast<uint32_t>(static_cast<uint16_t>(-120)) << 16};
    case Button::kTiltRight:
      return {m::kHorizontalWheel, 120u << 16};
  }
  return {};
}

}  // namespace

void SimButtons::SetForeground(std::u16string_view program) {
  foreground_ = std::u16string(ProgramFileName(program));
  key_ = FoldProgramName(*foreground_);
  ++serial_;
}

SimButtons::Outcome SimButtons::Decide(std::shared_ptr<const TriggerSnapshot> snapshot, uint32_t device,
                                       ButtonEvent event) {
  if (snapshot != snapshot_) {
    snapshot_ = snapshot;
    decider_.Adopt(std::move(snapshot));
  }
  last_device_ = device;
  const HookMessage message = MessageOf(event);
  const HookDecision d = decider_.Decide(message.message, message.data);
  Outcome outcome;
  outcome.swallowed = d.verdict == Verdict::kSwallow;
  if (!d.perform || event.edge == Edge::kUp) return outcome;
  outcome.profile = d.perform->profile;
  if (const VX_FUNCTION_DEF* f = snapshot_->Find(d.perform->model, event.button, d.perform->profile)) {
    outcome.function = *f;
  }
  return outcome;
}

}  // namespace vxlib
