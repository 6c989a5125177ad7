// The lock that guards the list of button assignments. A small interface so
// the portable core takes it the same way on both builds: on Windows it is a
// named mutex object, natively a plain std::mutex. It is BasicLockable, so
// std::lock_guard and std::unique_lock hold it.
#pragma once

#include <memory>

namespace tessaro {

class SettingLock {
 public:
  virtual ~SettingLock() = default;
  // Waits without time-out.
  virtual void lock() = 0;
  virtual void unlock() = 0;
};

// Creates a new handle to the process's assignment lock. On Windows every
// handle names the same mutex object ("LOCAL\bumutex_RVNLIB", or the
// "Local\" spelling where only that one can be created), so two handles
// exclude each other between threads. Never returns null: when no named
// object can be had, it falls back to an unnamed one, and throws
// std::system_error only when not even that can be created.
std::unique_ptr<SettingLock> CreateButtonSettingLock();

}  // namespace tessaro
