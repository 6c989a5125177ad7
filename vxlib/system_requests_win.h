// Performs the actions that are no input and may take time (open a
// program or address, lock the computer, turn the display off) on a
// thread of their own, so that they never hold up the input of other
// buttons. A request that is running when the library stops is awaited.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "vxlib.h"
#include "vxlib/action_plan.h"

namespace vxlib {

class SystemRequests {
 public:
  SystemRequests();
  SystemRequests(const SystemRequests&) = delete;
  SystemRequests& operator=(const SystemRequests&) = delete;
  // Requests not yet started are dropped.
  ~SystemRequests();

  void Submit(SystemRequest request, const VX_FUNCTION_DEF& f);

 private:
  struct Pending {
    SystemRequest request;
    std::wstring target;
  };

  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Pending> pending_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace vxlib
