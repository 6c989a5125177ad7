// Runs the actions that are no input and may take time (open a program or
// address, lock the computer, turn the display off) one after another, on
// a thread of their own that nobody waits for: the queue's owner may go at
// any moment, even while a request is running (a slow "Open" of a network
// path). The thread then finishes that request and ends by itself; it
// holds nothing but what it shares with the queue.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "vxlib/action_plan.h"

namespace vxlib {

class RequestQueue {
 public:
  // Performs one request; target is the action's text argument.
  using Performer = std::function<void(SystemRequest request, const std::u16string& target)>;
  // Runs body on a new thread that is never joined; false when none could
  // be made.
  using Launcher = std::function<bool(std::function<void()> body)>;

  RequestQueue(Performer perform, const Launcher& launch);
  RequestQueue(const RequestQueue&) = delete;
  RequestQueue& operator=(const RequestQueue&) = delete;
  // Returns at once: requests not yet started are dropped, a running one
  // finishes on its thread.
  ~RequestQueue();

  void Submit(SystemRequest request, std::u16string target);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace vxlib
