#include "vxlib/input_hooks_win.h"

#include <iterator>
#include <utility>

#include "vxlib/action_worker_win.h"
#include "vxlib/hook_decision.h"
#include "vxlib/hook_watchdog.h"
#include "vxlib/input_sender_win.h"
#include "vxlib/library_module_win.h"
#include "vxlib/slowdown.h"
#include "vxlib/system_foreground_win.h"
#include "vxlib/unique_hook_win.h"

namespace vxlib {

namespace {

static_assert(mouse_message::kRightDown == WM_RBUTTONDOWN && mouse_message::kMiddleUp == WM_MBUTTONUP &&
              mouse_message::kXDown == WM_XBUTTONDOWN && mouse_message::kXUp == WM_XBUTTONUP &&
              mouse_message::kHorizontalWheel == WM_MOUSEHWHEEL && mouse_message::kXButton1 == XBUTTON1 &&
              mouse_message::kXButton2 == XBUTTON2);
static_assert(sizeof(WPARAM) >= sizeof(uint64_t), "a handover's word fits a thread message");

// Bit i: ModifierKeys::kKeys[i] is down as the system sees it, leaving out
// the keys in the bits of except.
uint8_t SystemModifierKeys(uint8_t except) {
  uint8_t bits = 0;
  for (size_t i = 0; i < std::size(ModifierKeys::kKeys); ++i) {
    if ((GetAsyncKeyState(ModifierKeys::kKeys[i]) & 0x8000) != 0 && !(except & (1u << i))) {
      bits |= static_cast<uint8_t>(1u << i);
    }
  }
  return bits;
}

// Bit Index(b) for each button the system holds down.
uint32_t SystemButtons() {
  constexpr std::pair<Button, int> kKeys[] = {{Button::kRight, VK_RBUTTON},
                                              {Button::kMiddle, VK_MBUTTON},
                                              {Button::kBack, VK_XBUTTON1},
                                              {Button::kForward, VK_XBUTTON2}};
  uint32_t down = 0;
  for (const auto& [button, key] : kKeys) {
    if (GetAsyncKeyState(key) & 0x8000) down |= 1u << Index(button);
  }
  return down;
}

// The state of the hook thread. Hook callbacks carry no context, so they
// find it through this thread's pointer.
class HookThread {
 public:
  explicit HookThread(const InputHooks::Shared& shared) : shared_(shared), decider_(shared.last_device, foreground_) {
    TakeSnapshot();
  }

  void Install(WPARAM which) {
    if (which & kMouseHook) {
      mouse_hook_ = UniqueHook(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, LibraryModule(), 0));
      if (mouse_hook_) shared_.mouse_installs.fetch_add(1);
    }
    if (which & kKeyboardHook) InstallKeyboard();
  }

  void Reinstall(WPARAM which) {
    if (which & kMouseHook) {
      mouse_hook_.reset();
      // Releases may have gone by unseen: what was held ends. The pairs
      // stay, so that a button still held keeps its release swallowed.
      PostToWorker(kReleaseAllMessage, 0);
    }
    Install(which);
    // Taken once the new hook is in: every event since goes through it.
    if (which & kMouseHook) decider_.Reinstalled(SystemButtons());
  }

  void ReleaseHeld() {
    PostToWorker(kReleaseAllMessage, 1);
    slow_ = false;
  }

  void SetHotkey(int modifiers) {
    hotkey_ = modifiers;
    InstallKeyboard();
  }

  void CheckKeyboard() {
    // The hook runs while a hotkey is set, or should: the system drops it
    // without a word.
    if (hotkey_ == 0) return;
    const uint8_t known = static_cast<uint8_t>(keys_.down() | shared_.held.HeldModifiers());
    if (keyboard_watchdog_.Check({SystemModifierKeys(0), known, key_events_})) InstallKeyboard();
  }

  void Drop(WPARAM which) {
    if (which & kMouseHook) mouse_hook_.reset();
    if (which & kKeyboardHook) keyboard_hook_.reset();
  }

  // Between two events: the presses of a mouse that left end now.
  void TakeSnapshot() {
    const uint32_t ended = decider_.Adopt(shared_.triggers.Current());
    for (size_t i = 0; i < kButtonCount; ++i) {
      if (ended & (1u << i)) PostToWorker(kPerformMessage, Pack({{static_cast<Button>(i), Edge::kUp}}));
    }
  }

  static thread_local HookThread* current;

 private:
  static LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && current && current->SwallowMouse(wparam, *reinterpret_cast<MSLLHOOKSTRUCT*>(lparam))) {
      return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && current) current->SeeKey(wparam, *reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam));
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  bool SwallowMouse(WPARAM message, const MSLLHOOKSTRUCT& info) {
    shared_.last_tick.store(GetTickCount(), std::memory_order_relaxed);
    // This thread is the only writer: no locked increment needed.
    shared_.events.store(shared_.events.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    // Injected input (ours, or another program's) is never taken over.
    if ((info.flags & (LLMHF_INJECTED | LLMHF_LOWER_IL_INJECTED)) != 0 || info.dwExtraInfo == kOwnInputTag) {
      return false;
    }
    const HookDecision d = decider_.Decide(static_cast<uint32_t>(message), info.mouseData);
    if (d.perform) PostToWorker(kPerformMessage, Pack(*d.perform));
    return d.verdict == Verdict::kSwallow;
  }

  void SeeKey(WPARAM message, const KBDLLHOOKSTRUCT& info) {
    ++key_events_;
    // The library's own keys (a key combination with Ctrl) do not slow the
    // pointer down.
    if (info.dwExtraInfo == kOwnInputTag) return;
    keys_.Key(static_cast<uint8_t>(info.vkCode), message == WM_KEYDOWN || message == WM_SYSKEYDOWN);
    UpdateSlowdown();
  }

  // The keyboard hook runs only while a slowdown hotkey is set.
  void InstallKeyboard() {
    keyboard_hook_.reset();
    if (hotkey_ != 0) {
      keyboard_hook_ = UniqueHook(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, LibraryModule(), 0));
      if (keyboard_hook_) shared_.keyboard_installs.fetch_add(1);
    }
    // Start from the user's keys held now: their down events went by
    // unseen. The library's own held keys are not the user's.
    keys_ = {};
    const uint8_t held = SystemModifierKeys(shared_.held.HeldModifiers());
    for (size_t i = 0; i < std::size(ModifierKeys::kKeys); ++i) keys_.Key(ModifierKeys::kKeys[i], held & (1u << i));
    UpdateSlowdown();
  }

  void UpdateSlowdown() {
    const bool slow = SlowdownActive(hotkey_, keys_.held());
    if (slow == slow_) return;
    slow_ = slow;
    PostToWorker(kSlowdownMessage, slow ? 1 : 0);
  }

  void PostToWorker(UINT message, WPARAM wparam) const {
    PostThreadMessageW(shared_.worker_thread, message, wparam, 0);
  }

  InputHooks::Shared shared_;
  SystemForeground foreground_;  // before the decider, which asks it
  HookDecider decider_;
  UniqueHook mouse_hook_;
  UniqueHook keyboard_hook_;
  int hotkey_ = 0;
  ModifierKeys keys_;
  bool slow_ = false;
  uint32_t key_events_ = 0;
  KeyboardWatchdog keyboard_watchdog_;
};

thread_local HookThread* HookThread::current = nullptr;

}  // namespace

InputHooks::InputHooks(PublishedTriggers& triggers, const std::atomic<uint32_t>& last_device, const HeldInput& held,
                       DWORD worker_thread)
    : triggers_(triggers),
      thread_([this, shared = Shared{triggers, last_device, held, worker_thread, last_tick_, events_, mouse_installs_,
                                     keyboard_installs_}](const auto& ready) { Run(shared, ready); }) {
  triggers_.SetListener([this] { thread_.Post(kSnapshotMessage); });
  // A snapshot published while the thread started.
  thread_.Post(kSnapshotMessage);
}

InputHooks::~InputHooks() { triggers_.SetListener({}); }

void InputHooks::Run(const Shared& shared, const std::function<void()>& ready) {
  // Above the program's threads: a slow hook delays every mouse event of
  // the session, and the system removes a hook that is too slow.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  last_tick_ = GetTickCount();
  HookThread hooks(shared);
  const CurrentOnThisThread current(hooks);
  hooks.Install(kBothHooks);
  ready();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    switch (msg.message) {
      case kReinstallMessage:
        hooks.Reinstall(msg.wParam);
        break;
      case kHotkeyMessage:
        hooks.SetHotkey(static_cast<int>(msg.wParam));
        break;
      case kDropMessage:
        hooks.Drop(msg.wParam);
        break;
      case kSnapshotMessage:
        hooks.TakeSnapshot();
        break;
      case kReleaseHeldMessage:
        hooks.ReleaseHeld();
        break;
      case kCheckKeyboardMessage:
        hooks.CheckKeyboard();
        break;
      default:
        break;
    }
  }
}

}  // namespace vxlib
