// The action worker: a thread that performs what the hook hands over
// (taken-over button events, a release of everything, the slowdown), so
// that the hook itself never waits for SendInput or a timer. The hook
// posts thread messages; the worker's queue keeps a second press that
// comes while an action is being performed.
#pragma once

#include <windows.h>

#include <functional>

#include "vxlib/message_thread_win.h"
#include "vxlib/mouse_input.h"
#include "vxlib/published_triggers.h"
#include "vxlib/system_requests_win.h"

namespace vxlib {

class ActionRunner;
class PointerSpeed;

// wparam: PackButtonEvent of a swallowed event.
inline constexpr UINT kPerformMessage = WM_APP + 0x20;
// The hook was lost or reinstalled: every held key and button goes up.
inline constexpr UINT kReleaseAllMessage = WM_APP + 0x21;
// wparam 1: slow the pointer down; 0: the user's own speed.
inline constexpr UINT kSlowdownMessage = WM_APP + 0x22;

inline WPARAM PackButtonEvent(ButtonEvent e) {
  return static_cast<WPARAM>(Index(e.button)) << 8 | static_cast<WPARAM>(e.edge);
}

class ActionWorker {
 public:
  explicit ActionWorker(const PublishedTriggers& triggers);
  ActionWorker(const ActionWorker&) = delete;
  ActionWorker& operator=(const ActionWorker&) = delete;
  // Releases whatever is held and gives the pointer its speed back.
  ~ActionWorker() = default;

  DWORD thread_id() const { return thread_.id(); }

 private:
  void Run(const std::function<void()>& ready);
  // Returns at WM_QUIT.
  void Loop(ActionRunner& runner, PointerSpeed& speed);

  const PublishedTriggers& triggers_;
  SystemRequests requests_;  // outlives the thread that submits to it
  MessageThread thread_;
};

}  // namespace vxlib
