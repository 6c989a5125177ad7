// The action worker: a thread that performs what the hook hands over
// (taken-over button events, a release of everything, the slowdown), so
// that the hook itself never waits for SendInput or a timer. The hook
// posts thread messages; the worker's queue keeps a second press that
// comes while an action is being performed.
#pragma once

#include <windows.h>

#include <functional>

#include "vxlib/held_input.h"
#include "vxlib/message_thread_win.h"
#include "vxlib/published_triggers.h"
#include "vxlib/system_requests_win.h"

namespace vxlib {

class ActionRunner;
class PointerSpeed;

// wparam: the Pack of a Handover.
inline constexpr UINT kPerformMessage = WM_APP + 0x20;
// Every action being held ends: its keys and buttons go up. wparam 1: the
// pointer gets the user's speed back too.
inline constexpr UINT kReleaseAllMessage = WM_APP + 0x21;
// wparam 1: slow the pointer down; 0: the user's own speed.
inline constexpr UINT kSlowdownMessage = WM_APP + 0x22;

class ActionWorker {
 public:
  // held: kept current with every batch sent and the pointer speed.
  ActionWorker(const PublishedTriggers& triggers, HeldInput& held);
  ActionWorker(const ActionWorker&) = delete;
  ActionWorker& operator=(const ActionWorker&) = delete;
  // Releases whatever is held and gives the pointer its speed back; a
  // slow request still running finishes on its own thread.
  ~ActionWorker() = default;

  DWORD thread_id() const { return thread_.id(); }

 private:
  void Run(const std::function<void()>& ready);
  // Returns at WM_QUIT.
  void Loop(ActionRunner& runner, PointerSpeed& speed);

  const PublishedTriggers& triggers_;
  HeldInput& held_;
  SystemRequests requests_;  // outlives the thread that submits to it
  MessageThread thread_;
};

}  // namespace vxlib
