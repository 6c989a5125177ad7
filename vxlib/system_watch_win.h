// The library thread that watches the system: mouse arrival and removal
// (the notices of the Raw Input receiver, which it runs), the foreground
// window (a WinEvent hook, out of context), the session (locked or
// disconnected: what the library holds is released; unlocked or connected,
// and resumed from sleep: the input hooks are installed afresh), and the
// watchdogs of both hooks, once a second while there is input or the
// keyboard hook runs (they rest after a second without input, until the
// next mouse report). It owns a hidden top-level window: the power notices
// go to top-level windows only.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "vxlib/input_hooks_win.h"
#include "vxlib/message_thread_win.h"
#include "vxlib/raw_input_win.h"

namespace vxlib {

class SystemWatch {
 public:
  // Called on the watch thread.
  class Listener {
   public:
    virtual void DeviceArrived() = 0;
    virtual void DeviceRemoved(HANDLE device) = 0;
    virtual void ForegroundChanged(HWND window) = 0;
    virtual void Resumed() = 0;

   protected:
    ~Listener() = default;
  };

  // listener, hooks and last_device (where the Raw Input receiver keeps
  // the device of the latest mouse report) outlive the watch.
  SystemWatch(Listener& listener, InputHooks& hooks, std::atomic<uint32_t>& last_device);
  SystemWatch(const SystemWatch&) = delete;
  SystemWatch& operator=(const SystemWatch&) = delete;
  // Ends the watch: no listener call afterwards.
  ~SystemWatch() = default;

  // Any thread. The watchdogs look again: the keyboard hook has just been
  // asked for, and keys alone would not wake them.
  void WatchHooks() const {
    if (HWND window = window_.load()) PostMessageW(window, RawInputReceiver::kReportMessage, 0, 0);
  }

 private:
  void Run(const std::function<void()>& ready);

  Listener& listener_;
  InputHooks& hooks_;
  std::atomic<uint32_t>& last_device_;
  std::atomic<HWND> window_{nullptr};
  MessageThread thread_;
};

}  // namespace vxlib
