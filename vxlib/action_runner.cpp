#include "vxlib/action_runner.h"

#include <algorithm>

namespace vxlib {

void ActionRunner::Perform(const Step& step, const VX_FUNCTION_DEF& f) {
  if (!step.input.empty()) output_.Send(step.input);
  if (step.request != SystemRequest::kNone) output_.Request(step.request, f);
}

void ActionRunner::Down(Button b, const VX_FUNCTION_DEF& f, TimePoint now) {
  if (holds_[Index(b)]) Release(b);
  Hold hold{f, now};
  if (Repeats(f)) hold.next_repeat = now + kRepeatDelay;
  hold.rapid = RapidFireOf(f);
  Perform(PressStep(f, output_.Context()), f);
  holds_[Index(b)] = hold;
  if (hold.rapid) AdvanceRapidFire(*holds_[Index(b)], now);
}

void ActionRunner::Up(Button b) {
  if (holds_[Index(b)]) Release(b);
}

void ActionRunner::Notch(Button tilt, const VX_FUNCTION_DEF& f, TimePoint now) {
  const Button other = tilt == Button::kTiltLeft ? Button::kTiltRight : Button::kTiltLeft;
  if (holds_[Index(other)]) Release(other);
  if (!holds_[Index(tilt)]) Down(tilt, f, now);
  holds_[Index(tilt)]->tilt_ends_at = now + kTiltHoldGap;
}

void ActionRunner::Release(Button b) {
  Hold& hold = *holds_[Index(b)];
  const PlanContext context = output_.Context();
  InputBatch input = ReleaseInput(hold.function, context);
  if (hold.rapid && hold.click_up_at) {
    const InputBatch up = MouseButtonInput(hold.rapid->button, true, context);
    input.insert(input.end(), up.begin(), up.end());
  }
  holds_[Index(b)].reset();
  if (!input.empty()) output_.Send(input);
}

void ActionRunner::ReleaseAll() {
  for (size_t i = 0; i < kButtonCount; ++i) {
    if (holds_[i]) Release(static_cast<Button>(i));
  }
}

ActionRunner::TimePoint ActionRunner::ClickStart(const Hold& hold, int k) {
  // Timed from the down event, so that the clicks do not drift.
  return hold.down_at + std::chrono::milliseconds(k * 1000LL / hold.rapid->clicks_per_second);
}

void ActionRunner::AdvanceRapidFire(Hold& hold, TimePoint now) {
  for (;;) {
    if (hold.click_up_at) {
      if (now < *hold.click_up_at) return;
      hold.click_up_at.reset();
      output_.Send(MouseButtonInput(hold.rapid->button, true, output_.Context()));
      continue;
    }
    if (now < ClickStart(hold, hold.next_click)) return;
    // A late worker skips the clicks it missed rather than bursting them,
    // and keeps the click it makes down for the whole down time.
    while (ClickStart(hold, hold.next_click + 1) <= now) ++hold.next_click;
    hold.click_up_at = now + hold.rapid->down_time;
    ++hold.next_click;
    output_.Send(MouseButtonInput(hold.rapid->button, false, output_.Context()));
  }
}

void ActionRunner::Advance(TimePoint now) {
  for (size_t i = 0; i < kButtonCount; ++i) {
    auto& hold = holds_[i];
    if (!hold) continue;
    if (hold->tilt_ends_at && now >= *hold->tilt_ends_at) {
      Release(static_cast<Button>(i));
      continue;
    }
    if (hold->next_repeat && now >= *hold->next_repeat) {
      Perform(PressStep(hold->function, output_.Context()), hold->function);
      while (*hold->next_repeat <= now) *hold->next_repeat += kRepeatInterval;
    }
    if (hold->rapid) AdvanceRapidFire(*hold, now);
  }
}

std::optional<ActionRunner::TimePoint> ActionRunner::NextDeadline() const {
  std::optional<TimePoint> next;
  const auto consider = [&](const std::optional<TimePoint>& t) {
    if (t && (!next || *t < *next)) next = t;
  };
  for (const auto& hold : holds_) {
    if (!hold) continue;
    consider(hold->tilt_ends_at);
    consider(hold->next_repeat);
    if (hold->rapid) consider(hold->click_up_at ? hold->click_up_at : ClickStart(*hold, hold->next_click));
  }
  return next;
}

}  // namespace vxlib
