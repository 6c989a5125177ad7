// Performs the actions that are no input and may take time (open a program
// or address, lock the computer, turn the display off) on a thread of their
// own (RequestQueue), so that they never hold up the input of other
// buttons, nor the library's end: a request still running then finishes by
// itself, and the thread keeps the library loaded until it has.
#pragma once

#include "vxlib.h"
#include "vxlib/action_plan.h"
#include "vxlib/request_queue.h"

namespace vxlib {

class SystemRequests {
 public:
  SystemRequests();
  SystemRequests(const SystemRequests&) = delete;
  SystemRequests& operator=(const SystemRequests&) = delete;
  // Returns at once; requests not yet started are dropped.
  ~SystemRequests() = default;

  void Submit(SystemRequest request, const VX_FUNCTION_DEF& f);

 private:
  RequestQueue queue_;
};

}  // namespace vxlib
