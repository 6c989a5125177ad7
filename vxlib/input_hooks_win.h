// The low-level mouse hook, and the keyboard hook of the slowdown hotkey,
// on a dedicated high-priority thread with its own message loop. The
// mouse hook's callback only classifies the event, reads the taken mask
// and posts swallowed events to the action worker; it never blocks.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "vxlib/message_thread_win.h"

namespace vxlib {

class InputHooks {
 public:
  // The mouse hook's last event, for the watchdog.
  struct Sighting {
    uint32_t tick;  // GetTickCount at the event
    uint32_t events;
  };

  // Installs the hooks before returning. taken_mask and the worker thread
  // outlive the hooks.
  InputHooks(const std::atomic<uint32_t>& taken_mask, DWORD worker_thread);
  InputHooks(const InputHooks&) = delete;
  InputHooks& operator=(const InputHooks&) = delete;
  // Removes the hooks and joins their thread.
  ~InputHooks() = default;

  // Any thread. Installs both hooks afresh; held keys are released and
  // press pairs forgotten, since events went by unseen.
  void Reinstall() { thread_.Post(kReinstallMessage); }
  // Any thread. modifiers: the bits of VX_SetSlowdoenModifier, 0 off.
  void SetSlowdownHotkey(int modifiers) { thread_.Post(kHotkeyMessage, static_cast<WPARAM>(modifiers)); }
  // Any thread. Removes the mouse hook without telling anyone, as the
  // system does with a hook it found too slow (tests of the watchdog).
  void DropMouseHook() { thread_.Post(kDropMessage); }

  Sighting LastSighting() const {
    return {last_tick_.load(std::memory_order_relaxed), events_.load(std::memory_order_relaxed)};
  }
  // How often the mouse hook has been installed.
  int installs() const { return installs_.load(); }

  // What the hook thread's callbacks share with the rest.
  struct Shared {
    const std::atomic<uint32_t>& taken_mask;
    DWORD worker_thread;
    std::atomic<uint32_t>& last_tick;
    std::atomic<uint32_t>& events;
    std::atomic<int>& installs;
  };

 private:
  static constexpr UINT kReinstallMessage = WM_APP + 0x30;
  static constexpr UINT kHotkeyMessage = WM_APP + 0x31;
  static constexpr UINT kDropMessage = WM_APP + 0x32;

  void Run(Shared shared, const std::function<void()>& ready);

  std::atomic<uint32_t> last_tick_{0};
  std::atomic<uint32_t> events_{0};
  std::atomic<int> installs_{0};
  MessageThread thread_;  // last: it uses the members above
};

}  // namespace vxlib
