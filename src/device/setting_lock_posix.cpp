// Native stand-in: there is no other process to share the lock with.
#include <mutex>

#include "device/setting_lock.h"

namespace tessaro {
namespace {

class MutexLock final : public SettingLock {
 public:
  void lock() override { mutex_.lock(); }
  void unlock() override { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<SettingLock> CreateButtonSettingLock() { return std::make_unique<MutexLock>(); }

}  // namespace tessaro
