#include "vxlib/input_hooks_win.h"

#include "vxlib/action_worker_win.h"
#include "vxlib/hook_decision.h"
#include "vxlib/input_sender_win.h"
#include "vxlib/slowdown.h"
#include "vxlib/unique_hook_win.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vxlib {

namespace {

static_assert(mouse_message::kRightDown == WM_RBUTTONDOWN && mouse_message::kMiddleUp == WM_MBUTTONUP &&
              mouse_message::kXDown == WM_XBUTTONDOWN && mouse_message::kXUp == WM_XBUTTONUP &&
              mouse_message::kHorizontalWheel == WM_MOUSEHWHEEL && mouse_message::kXButton1 == XBUTTON1 &&
              mouse_message::kXButton2 == XBUTTON2);

// The state of the hook thread. Hook callbacks carry no context, so they
// find it through this thread's pointer.
class HookThread {
 public:
  explicit HookThread(const InputHooks::Shared& shared) : shared_(shared), decider_(shared.taken_mask) {}

  void Install() {
    mouse_hook_ = UniqueHook(SetWindowsHookExW(WH_MOUSE_LL, MouseProc, Module(), 0));
    if (mouse_hook_) shared_.installs.fetch_add(1);
    InstallKeyboard();
  }

  void Reinstall() {
    mouse_hook_.reset();
    decider_.Reset();
    PostThreadMessageW(shared_.worker_thread, kReleaseAllMessage, 0, 0);
    Install();
  }

  void SetHotkey(int modifiers) {
    hotkey_ = modifiers;
    InstallKeyboard();
  }

  void DropMouseHook() { mouse_hook_.reset(); }

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
    if (d.perform) PostThreadMessageW(shared_.worker_thread, kPerformMessage, PackButtonEvent(*d.perform), 0);
    return d.verdict == Verdict::kSwallow;
  }

  void SeeKey(WPARAM message, const KBDLLHOOKSTRUCT& info) {
    // The library's own keys (a key combination with Ctrl) do not slow the
    // pointer down.
    if (info.dwExtraInfo == kOwnInputTag) return;
    keys_.Key(static_cast<uint8_t>(info.vkCode), message == WM_KEYDOWN || message == WM_SYSKEYDOWN);
    UpdateSlowdown();
  }

  static HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

  // The keyboard hook runs only while a slowdown hotkey is set.
  void InstallKeyboard() {
    keyboard_hook_.reset();
    if (hotkey_ != 0) keyboard_hook_ = UniqueHook(SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, Module(), 0));
    // Start from the keys held now: their down events went by unseen.
    keys_ = {};
    for (uint8_t key : ModifierKeys::kKeys) keys_.Key(key, (GetAsyncKeyState(key) & 0x8000) != 0);
    UpdateSlowdown();
  }

  void UpdateSlowdown() {
    const bool slow = SlowdownActive(hotkey_, keys_.held());
    if (slow == slow_) return;
    slow_ = slow;
    PostThreadMessageW(shared_.worker_thread, kSlowdownMessage, slow ? 1 : 0, 0);
  }

  InputHooks::Shared shared_;
  HookDecider decider_;
  UniqueHook mouse_hook_;
  UniqueHook keyboard_hook_;
  int hotkey_ = 0;
  ModifierKeys keys_;
  bool slow_ = false;
};

thread_local HookThread* HookThread::current = nullptr;

}  // namespace

InputHooks::InputHooks(const std::atomic<uint32_t>& taken_mask, DWORD worker_thread)
    : thread_([this, shared = Shared{taken_mask, worker_thread, last_tick_, events_, installs_}](const auto& ready) {
        Run(shared, ready);
      }) {}

void InputHooks::Run(Shared shared, const std::function<void()>& ready) {
  // Above the program's threads: a slow hook delays every mouse event of
  // the session, and the system removes a hook that is too slow.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  last_tick_ = GetTickCount();
  HookThread hooks(shared);
  HookThread::current = &hooks;
  hooks.Install();
  ready();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    switch (msg.message) {
      case kReinstallMessage:
        hooks.Reinstall();
        break;
      case kHotkeyMessage:
        hooks.SetHotkey(static_cast<int>(msg.wParam));
        break;
      case kDropMessage:
        hooks.DropMouseHook();
        break;
      default:
        break;
    }
  }
  HookThread::current = nullptr;
}

}  // namespace vxlib
