// Owners of the two kinds of hook handle: a windows hook (low-level mouse
// and keyboard hooks) and a WinEvent hook. Both must be released on the
// thread that installed them.
#pragma once

#include <windows.h>

#include <utility>

namespace vxlib {

template <class Handle, BOOL(WINAPI* Release)(Handle)>
class UniqueHookHandle {
 public:
  UniqueHookHandle() = default;
  explicit UniqueHookHandle(Handle handle) : handle_(handle) {}
  UniqueHookHandle(const UniqueHookHandle&) = delete;
  UniqueHookHandle& operator=(const UniqueHookHandle&) = delete;
  UniqueHookHandle(UniqueHookHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHookHandle& operator=(UniqueHookHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~UniqueHookHandle() { reset(); }

  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    // Fails harmlessly when the system has removed the hook already.
    if (handle_) Release(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

using UniqueHook = UniqueHookHandle<HHOOK, UnhookWindowsHookEx>;
using UniqueWinEventHook = UniqueHookHandle<HWINEVENTHOOK, UnhookWinEvent>;

}  // namespace vxlib
