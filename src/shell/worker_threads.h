// Short-lived worker threads that must not outlive their owner: each runs
// one piece of work; finished ones are joined when the next starts, and
// the owner joins the rest before it goes. Several may run at once.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace tessaro {

class WorkerThreads {
 public:
  WorkerThreads() = default;
  ~WorkerThreads() { JoinAll(); }
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;

  // Runs work on a new thread. False (nothing started) once JoinAll began
  // or when the system has no thread to give.
  bool Start(std::function<void()> work);

  // Waits for every started thread; afterwards Start refuses. While any
  // still runs, wait_step (when given) is called again and again; it waits
  // a little and does meanwhile what the workers may need of the waiting
  // thread (on Windows: answer the messages they send to its windows).
  void JoinAll(const std::function<void()>& wait_step = {});

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };

  std::mutex mutex_;
  std::list<Worker> workers_;
  bool closed_ = false;
};

}  // namespace tessaro
