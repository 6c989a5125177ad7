#include "vxlib/action_worker_win.h"

#include <algorithm>
#include <chrono>

#include "vxlib/action_runner.h"
#include "vxlib/input_sender_win.h"
#include "vxlib/pointer_speed_win.h"

namespace vxlib {

namespace {

class SystemOutput final : public ActionOutput {
 public:
  explicit SystemOutput(SystemRequests& requests) : requests_(requests), screen_clip_(ScreenClipAvailable()) {}

  void Send(const InputBatch& input) override { SendBatch(input); }
  void Request(SystemRequest request, const VX_FUNCTION_DEF& f) override { requests_.Submit(request, f); }
  PlanContext Context() override { return CurrentPlanContext(screen_clip_); }

 private:
  SystemRequests& requests_;
  const bool screen_clip_;
};

DWORD WaitTime(const std::optional<ActionRunner::TimePoint>& deadline) {
  if (!deadline) return INFINITE;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - ActionRunner::Clock::now());
  return static_cast<DWORD>(std::max<int64_t>(left.count(), 0));
}

void Perform(ActionRunner& runner, const ButtonTriggers& table, WPARAM packed) {
  const auto button = static_cast<Button>(packed >> 8);
  const auto edge = static_cast<Edge>(packed & 0xFF);
  if (Index(button) >= kButtonCount) return;
  const auto now = ActionRunner::Clock::now();
  if (edge == Edge::kUp) {
    // The action of the press, whatever is installed now.
    runner.Up(button);
    return;
  }
  // A trigger removed since the hook swallowed the event leaves nothing
  // to perform.
  const VX_FUNCTION_DEF* f = table.Find(button);
  if (!f) return;
  if (edge == Edge::kNotch) {
    runner.Notch(button, *f, now);
  } else {
    runner.Down(button, *f, now);
  }
}

}  // namespace

ActionWorker::ActionWorker(const PublishedTriggers& triggers)
    : triggers_(triggers), thread_([this](const auto& ready) { Run(ready); }) {}

void ActionWorker::Run(const std::function<void()>& ready) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
  SystemOutput output(requests_);
  ActionRunner runner(output);
  PointerSpeed speed;
  ready();
  try {
    Loop(runner, speed);
  } catch (...) {
    // Out of memory: the worker ends, but nothing may stay down.
  }
  try {
    runner.ReleaseAll();
  } catch (...) {
  }
}

void ActionWorker::Loop(ActionRunner& runner, PointerSpeed& speed) {
  for (;;) {
    MsgWaitForMultipleObjectsEx(0, nullptr, WaitTime(runner.NextDeadline()), QS_ALLPOSTMESSAGE, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      switch (msg.message) {
        case WM_QUIT:
          return;
        case kPerformMessage:
          Perform(runner, *triggers_.table(), msg.wParam);
          break;
        case kReleaseAllMessage:
          runner.ReleaseAll();
          break;
        case kSlowdownMessage:
          if (msg.wParam) {
            speed.Lower();
          } else {
            speed.Restore();
          }
          break;
        default:
          break;
      }
    }
    runner.Advance(ActionRunner::Clock::now());
  }
}

}  // namespace vxlib
