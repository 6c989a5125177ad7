// Performs the actions of taken-over buttons over time: the press part on
// the down event, the release part on the up event, the repeat of a held
// button, rapid-fire clicks and the hold of a tilted wheel. Single-thread:
// the action worker owns it and calls Advance at NextDeadline.
#pragma once

#include <array>
#include <chrono>
#include <optional>

#include "vxlib.h"
#include "vxlib/action_plan.h"
#include "vxlib/mouse_input.h"

namespace vxlib {

// What the runner needs of the system.
class ActionOutput {
 public:
  virtual void Send(const InputBatch& input) = 0;
  // Requests other than kNone, with the action that asks (its url).
  virtual void Request(SystemRequest request, const VX_FUNCTION_DEF& f) = 0;
  virtual PlanContext Context() = 0;

 protected:
  ~ActionOutput() = default;
};

class ActionRunner {
 public:
  using Clock = std::chrono::steady_clock;
  using TimePoint = Clock::time_point;

  static constexpr std::chrono::milliseconds kRepeatDelay{400};
  static constexpr std::chrono::milliseconds kRepeatInterval{80};
  // A tilted wheel reports steps, no release: the tilt counts as held
  // while steps follow each other closer than this. Shorter than the
  // repeat delay, so that a single step never starts a repeat.
  static constexpr std::chrono::milliseconds kTiltHoldGap{300};

  explicit ActionRunner(ActionOutput& output) : output_(output) {}

  // A hold of b that is still running (its up event was lost) is
  // released first.
  void Down(Button b, const VX_FUNCTION_DEF& f, TimePoint now);
  void Up(Button b);
  // A step of the horizontal wheel: begins or extends the tilt's hold;
  // a hold of the other direction ends first.
  void Notch(Button tilt, const VX_FUNCTION_DEF& f, TimePoint now);
  // Performs the release part of every hold: nothing stays down.
  void ReleaseAll();
  // Performs what is due at now: repeats, rapid-fire clicks, tilt ends.
  void Advance(TimePoint now);
  std::optional<TimePoint> NextDeadline() const;

 private:
  struct Hold {
    VX_FUNCTION_DEF function;
    TimePoint down_at;
    std::optional<TimePoint> next_repeat;
    std::optional<RapidFire> rapid;
    int next_click = 0;
    std::optional<TimePoint> click_up_at;  // while a rapid-fire click is down
    std::optional<TimePoint> tilt_ends_at;
  };

  void Release(Button b);
  void Perform(const Step& step, const VX_FUNCTION_DEF& f);
  void AdvanceRapidFire(Hold& hold, TimePoint now);
  static TimePoint ClickStart(const Hold& hold, int k);

  ActionOutput& output_;
  std::array<std::optional<Hold>, kButtonCount> holds_;
};

}  // namespace vxlib
