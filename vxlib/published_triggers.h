// The button-to-trigger table as the hook and the action worker see it.
// The hook reads only the taken mask, one atomic word, never a lock; the
// worker takes the table itself when it performs an event.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "vxlib/button_triggers.h"

namespace vxlib {

class PublishedTriggers {
 public:
  void Publish(ButtonTriggers table) {
    auto shared = std::make_shared<const ButtonTriggers>(std::move(table));
    const uint32_t mask = shared->taken_mask();
    {
      std::lock_guard lock(mutex_);
      table_ = std::move(shared);
    }
    // After the table: a button the hook swallows has its action there.
    taken_mask_.store(mask, std::memory_order_release);
  }

  std::shared_ptr<const ButtonTriggers> table() const {
    std::lock_guard lock(mutex_);
    return table_;
  }

  const std::atomic<uint32_t>& taken_mask() const { return taken_mask_; }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const ButtonTriggers> table_ = std::make_shared<const ButtonTriggers>();
  std::atomic<uint32_t> taken_mask_{0};
};

}  // namespace vxlib
