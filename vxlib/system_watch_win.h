// The library thread that watches the system: mouse arrival and removal
// (Raw Input device notices), the foreground window (a WinEvent hook, out
// of context), resume from sleep and session unlock (after which the
// input hooks are installed afresh), and the hook watchdog, once a
// second. It owns a hidden top-level window: the power notices go to
// top-level windows only.
#pragma once

#include <windows.h>

#include <functional>

#include "vxlib/input_hooks_win.h"
#include "vxlib/message_thread_win.h"

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

  // listener and hooks outlive the watch.
  SystemWatch(Listener& listener, InputHooks& hooks);
  SystemWatch(const SystemWatch&) = delete;
  SystemWatch& operator=(const SystemWatch&) = delete;
  // Ends the watch: no listener call afterwards.
  ~SystemWatch() = default;

 private:
  void Run(const std::function<void()>& ready);

  Listener& listener_;
  InputHooks& hooks_;
  MessageThread thread_;
};

}  // namespace vxlib
