#include "vxlib/action_worker_win.h"

#include <algorithm>
#include <chrono>

#include "vxlib/action_runner.h"
#include "vxlib/handover.h"
#include "vxlib/input_sender_win.h"
#include "vxlib/pointer_speed_win.h"

namespace vxlib {

namespace {

class SystemOutput final : public ActionOutput {
 public:
  SystemOutput(SystemRequests& requests, HeldInput& held)
      : requests_(requests), held_(held), screen_clip_(ScreenClipAvailable()) {}

  void Send(const InputBatch& input) override {
    // Noted first: should the process crash in between, an up too many
    // does no harm, a down not noted would stay down.
    held_.Note(input);
    SendBatch(input);
  }
  void Request(SystemRequest request, const VX_FUNCTION_DEF& f) override { requests_.Submit(request, f); }
  PlanContext Context() override { return CurrentPlanContext(screen_clip_); }

 private:
  SystemRequests& requests_;
  HeldInput& held_;
  const bool screen_clip_;
};

DWORD WaitTime(const std::optional<ActionRunner::TimePoint>& deadline) {
  if (!deadline) return INFINITE;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - ActionRunner::Clock::now());
  return static_cast<DWORD>(std::max<int64_t>(left.count(), 0));
}

}  // namespace

ActionWorker::ActionWorker(const PublishedTriggers& triggers, HeldInput& held)
    : triggers_(triggers), held_(held), thread_([this](const auto& ready) { Run(ready); }) {}

void ActionWorker::Run(const std::function<void()>& ready) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
  SystemOutput output(requests_, held_);
  ActionRunner runner(output);
  PointerSpeed speed(held_);
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
          if (const auto h = Unpack(msg.wParam)) Perform(runner, *triggers_.Current(), *h, ActionRunner::Clock::now());
          break;
        case kReleaseAllMessage:
          runner.ReleaseAll();
          if (msg.wParam) speed.Restore();
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
