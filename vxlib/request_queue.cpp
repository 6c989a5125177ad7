#include "vxlib/request_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace vxlib {

struct RequestQueue::Shared {
  struct Pending {
    SystemRequest request;
    std::u16string target;
  };

  explicit Shared(Performer p) : perform(std::move(p)) {}

  // The thread's whole work. Nothing may leave it: an exception (out of
  // memory) ends it quietly.
  static void Serve(const std::shared_ptr<Shared>& shared) {
    try {
      for (;;) {
        Pending next;
        {
          std::unique_lock lock(shared->mutex);
          shared->wake.wait(lock, [&] { return shared->stopping || !shared->pending.empty(); });
          if (shared->stopping) return;
          next = std::move(shared->pending.front());
          shared->pending.pop_front();
        }
        shared->perform(next.request, next.target);
      }
    } catch (...) {
    }
  }

  const Performer perform;
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<Pending> pending;
  bool stopping = false;
  bool serving = false;  // a thread was started
};

RequestQueue::RequestQueue(Performer perform, const Launcher& launch)
    : shared_(std::make_shared<Shared>(std::move(perform))) {
  const bool started = launch([shared = shared_] { Shared::Serve(shared); });
  std::lock_guard lock(shared_->mutex);
  shared_->serving = started;
}

RequestQueue::~RequestQueue() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stopping = true;
    shared_->pending.clear();
  }
  shared_->wake.notify_all();
}

void RequestQueue::Submit(SystemRequest request, std::u16string target) {
  {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->serving) return;
    shared_->pending.push_back({request, std::move(target)});
  }
  shared_->wake.notify_one();
}

}  // namespace vxlib
