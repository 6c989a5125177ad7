// The low-level mouse hook, and the keyboard hook of the slowdown hotkey,
// on a dedicated high-priority thread with its own message loop. The
// mouse hook's callback only classifies the event, reads the device of the
// latest Raw Input report and the trigger snapshot the thread holds, and
// posts swallowed events to the action worker; it never blocks.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "vxlib/held_input.h"
#include "vxlib/message_thread_win.h"
#include "vxlib/published_triggers.h"

namespace vxlib {

// Which hooks an operation concerns; bits.
enum HookKinds : WPARAM { kMouseHook = 1, kKeyboardHook = 2, kBothHooks = 3 };

class InputHooks {
 public:
  // The mouse hook's last event, for the watchdog.
  struct Sighting {
    uint32_t tick;  // GetTickCount at the event
    uint32_t events;
  };

  // Installs the hooks before returning. triggers, last_device (the device
  // of the latest Raw Input mouse report), held and the worker thread
  // outlive the hooks.
  InputHooks(PublishedTriggers& triggers, const std::atomic<uint32_t>& last_device, const HeldInput& held,
             DWORD worker_thread);
  InputHooks(const InputHooks&) = delete;
  InputHooks& operator=(const InputHooks&) = delete;
  // Removes the hooks and joins their thread.
  ~InputHooks();

  // Any thread. Installs the given hooks afresh. A new mouse hook ends the
  // actions being held, since their releases may have gone by unseen, but
  // keeps every press's pair: the release of a button still held is
  // swallowed as its press was. A new keyboard hook starts from the keys
  // held now.
  void Reinstall(HookKinds which) { thread_.Post(kReinstallMessage, which); }
  // Any thread. Every action being held ends and the pointer gets its
  // speed back (the session is locked or disconnected).
  void ReleaseHeld() { thread_.Post(kReleaseHeldMessage); }
  // Any thread. modifiers: the bits of VX_SetSlowdoenModifier, 0 off.
  void SetSlowdownHotkey(int modifiers) {
    keyboard_wanted_ = modifiers != 0;
    thread_.Post(kHotkeyMessage, static_cast<WPARAM>(modifiers));
  }
  // Any thread. Whether the keyboard hook is to run (a hotkey is set).
  bool KeyboardHookWanted() const { return keyboard_wanted_.load(); }
  // Any thread. The keyboard hook's watchdog: compares the modifier keys
  // the system holds with those the hook knows of, and installs the hook
  // afresh when it has lost track.
  void CheckKeyboard() { thread_.Post(kCheckKeyboardMessage); }
  // Any thread. Removes hooks without telling anyone, as the system does
  // with a hook it found too slow (tests of the watchdogs).
  void Drop(HookKinds which) { thread_.Post(kDropMessage, which); }

  Sighting LastSighting() const {
    return {last_tick_.load(std::memory_order_relaxed), events_.load(std::memory_order_relaxed)};
  }
  // How often the hook has been installed.
  int installs(HookKinds which) const { return (which == kKeyboardHook ? keyboard_installs_ : mouse_installs_).load(); }

  // What the hook thread shares with the rest.
  struct Shared {
    PublishedTriggers& triggers;
    const std::atomic<uint32_t>& last_device;
    const HeldInput& held;
    DWORD worker_thread;
    std::atomic<uint32_t>& last_tick;
    std::atomic<uint32_t>& events;
    std::atomic<int>& mouse_installs;
    std::atomic<int>& keyboard_installs;
  };

 private:
  static constexpr UINT kReinstallMessage = WM_APP + 0x30;
  static constexpr UINT kHotkeyMessage = WM_APP + 0x31;
  static constexpr UINT kDropMessage = WM_APP + 0x32;
  static constexpr UINT kSnapshotMessage = WM_APP + 0x33;
  static constexpr UINT kReleaseHeldMessage = WM_APP + 0x34;
  static constexpr UINT kCheckKeyboardMessage = WM_APP + 0x35;

  void Run(const Shared& shared, const std::function<void()>& ready);

  PublishedTriggers& triggers_;
  std::atomic<uint32_t> last_tick_{0};
  std::atomic<uint32_t> events_{0};
  std::atomic<int> mouse_installs_{0};
  std::atomic<int> keyboard_installs_{0};
  std::atomic<bool> keyboard_wanted_{false};
  MessageThread thread_;  // last: it uses the members above
};

}  // namespace vxlib
