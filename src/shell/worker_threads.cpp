#include "shell/worker_threads.h"

#include <algorithm>
#include <system_error>

namespace tessaro {

bool WorkerThreads::Start(std::function<void()> work) {
  std::list<Worker> finished;
  bool started = false;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    for (auto it = workers_.begin(); it != workers_.end();) {
      auto next = std::next(it);
      if (it->done->load()) finished.splice(finished.end(), workers_, it);
      it = next;
    }
    // The slot exists before the thread does, so a thread never runs
    // without an owner that joins it.
    auto done = std::make_shared<std::atomic<bool>>(false);
    Worker& slot = workers_.emplace_back();
    slot.done = done;
    try {
      slot.thread = std::thread([work = std::move(work), done] {
        work();
        done->store(true);
      });
      started = true;
    } catch (const std::system_error&) {
      workers_.pop_back();
    }
  }
  for (Worker& w : finished) w.thread.join();
  return started;
}

void WorkerThreads::JoinAll(const std::function<void()>& wait_step) {
  std::list<Worker> running;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    running.swap(workers_);
  }
  const auto any_running = [&running] {
    return std::any_of(running.begin(), running.end(), [](const Worker& w) { return !w.done->load(); });
  };
  if (wait_step)
    while (any_running()) wait_step();
  for (Worker& w : running) w.thread.join();
}

}  // namespace tessaro
