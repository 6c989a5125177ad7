// The trigger snapshot of the moment, for the hook's thread and the action
// worker. Publishing swaps it under a short lock and tells the listener (the
// hook's thread), which takes the new snapshot between two events: the hook
// itself never waits for the lock.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "vxlib/trigger_snapshot.h"

namespace vxlib {

class PublishedTriggers {
 public:
  void Publish(std::shared_ptr<const TriggerSnapshot> snapshot) {
    std::lock_guard lock(mutex_);
    snapshot_ = std::move(snapshot);
    if (listener_) listener_();
  }

  std::shared_ptr<const TriggerSnapshot> Current() const {
    std::lock_guard lock(mutex_);
    return snapshot_;
  }

  // notify is called after each Publish, under the lock: it must not
  // block. Empty: nobody listens.
  void SetListener(std::function<void()> notify) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(notify);
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const TriggerSnapshot> snapshot_ = std::make_shared<const TriggerSnapshot>();
  std::function<void()> listener_;
};

}  // namespace vxlib
