#include "vxlib/system_watch_win.h"

#include <wtsapi32.h>

#include <atomic>
#include <optional>

#include "vxlib/event_window_win.h"
#include "vxlib/hook_watchdog.h"
#include "vxlib/raw_input_win.h"
#include "vxlib/unique_hook_win.h"

namespace vxlib {

namespace {

constexpr wchar_t kClassName[] = L"VxlibSystemWatch";
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT kWatchdogPeriodMs = 1000;

// Session change notices for window. Taken from wtsapi32 at run time, so
// that the library needs no import of it; without it there are none.
class SessionNotices {
 public:
  explicit SessionNotices(HWND window)
      : module_(LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (!module_) return;
    const auto subscribe = Function<Subscribe>("WTSRegisterSessionNotification");
    unsubscribe_ = Function<Unsubscribe>("WTSUnRegisterSessionNotification");
    if (subscribe && unsubscribe_ && subscribe(window, NOTIFY_FOR_THIS_SESSION)) window_ = window;
  }
  SessionNotices(const SessionNotices&) = delete;
  SessionNotices& operator=(const SessionNotices&) = delete;
  ~SessionNotices() {
    if (window_) unsubscribe_(window_);
    if (module_) FreeLibrary(module_);
  }

 private:
  using Subscribe = BOOL(WINAPI*)(HWND, DWORD);
  using Unsubscribe = BOOL(WINAPI*)(HWND);

  template <class F>
  F Function(const char* name) const {
    // Through void(*)(void), which converts to any function type without
    // a warning.
    return reinterpret_cast<F>(reinterpret_cast<void (*)(void)>(GetProcAddress(module_, name)));
  }

  HMODULE module_;
  Unsubscribe unsubscribe_ = nullptr;
  HWND window_ = nullptr;
};

// The watch thread's state; the window and the WinEvent hook find it
// through this thread's pointer.
struct WatchState {
  SystemWatch::Listener& listener;
  InputHooks& hooks;
  HookWatchdog watchdog;
  // The watchdogs look once a second while there is input. A removed hook
  // sends no notice, and a lost hook matters only to input, so once a
  // second passed without any, they rest until the next mouse report
  // (Raw Input, which no hook's loss stops). A keyboard hook in use keeps
  // them looking: keys alone make no mouse report.
  std::atomic<bool> report_wanted{false};
  std::optional<DWORD> last_input;

  static thread_local WatchState* current;

  void CheckHooks(HWND window) {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    POINT cursor;
    // No cursor on the secure desktop (locked session): nothing to judge.
    if (!GetLastInputInfo(&input) || !GetCursorPos(&cursor)) return;
    const auto seen = hooks.LastSighting();
    if (watchdog.Check({input.dwTime, seen.tick, seen.events, cursor.x, cursor.y})) hooks.Reinstall(kMouseHook);
    hooks.CheckKeyboard();
    const bool quiet = last_input == input.dwTime;
    last_input = input.dwTime;
    if (quiet && !hooks.KeyboardHookWanted()) {
      KillTimer(window, kWatchdogTimer);
      report_wanted = true;
    }
  }

  void Resume(HWND window) { SetTimer(window, kWatchdogTimer, kWatchdogPeriodMs, nullptr); }

  void SessionChanged(WPARAM change) {
    switch (change) {
      // Input goes elsewhere now: its releases would never reach the hooks.
      case WTS_SESSION_LOCK:
      case WTS_CONSOLE_DISCONNECT:
      case WTS_REMOTE_DISCONNECT:
        hooks.ReleaseHeld();
        break;
      // Input is back: the system may have dropped the hooks meanwhile.
      case WTS_SESSION_UNLOCK:
      case WTS_CONSOLE_CONNECT:
      case WTS_REMOTE_CONNECT:
        hooks.Reinstall(kBothHooks);
        break;
      default:
        break;
    }
  }
};

thread_local WatchState* WatchState::current = nullptr;

LRESULT CALLBACK WatchWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  WatchState* state = WatchState::current;
  if (state) {
    try {
      switch (message) {
        case RawInputReceiver::kDeviceChangeMessage:
          if (wparam == GIDC_ARRIVAL) state->listener.DeviceArrived();
          if (wparam == GIDC_REMOVAL) state->listener.DeviceRemoved(reinterpret_cast<HANDLE>(lparam));
          return 0;
        case WM_POWERBROADCAST:
          if (wparam == PBT_APMRESUMEAUTOMATIC) {
            state->hooks.Reinstall(kBothHooks);
            state->listener.Resumed();
          }
          return TRUE;
        case WM_WTSSESSION_CHANGE:
          state->SessionChanged(wparam);
          return 0;
        case WM_TIMER:
          if (wparam == kWatchdogTimer) state->CheckHooks(window);
          return 0;
        case RawInputReceiver::kReportMessage:
          state->Resume(window);
          return 0;
        default:
          break;
      }
    } catch (...) {
      // Nothing may unwind into the system's message dispatch.
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void CALLBACK ForegroundProc(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  try {
    if (event == EVENT_SYSTEM_FOREGROUND && window && WatchState::current) {
      WatchState::current->listener.ForegroundChanged(window);
    }
  } catch (...) {
  }
}

}  // namespace

SystemWatch::SystemWatch(Listener& listener, InputHooks& hooks, std::atomic<uint32_t>& last_device)
    : listener_(listener),
      hooks_(hooks),
      last_device_(last_device),
      thread_([this](const auto& ready) { Run(ready); }) {}

void SystemWatch::Run(const std::function<void()>& ready) {
  WatchState state{listener_, hooks_, {}};
  const CurrentOnThisThread current(state);
  RunHiddenWindow(kClassName, WatchWindowProc, ready, [&](HWND window, const WindowLoop& loop) {
    // Ends before the window it sends its notices to.
    RawInputReceiver raw_input(last_device_, state.report_wanted, window);
    SessionNotices sessions(window);
    UniqueWinEventHook foreground(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                                  ForegroundProc, 0, 0, WINEVENT_OUTOFCONTEXT));
    state.Resume(window);
    window_ = window;
    loop();
    window_ = nullptr;
  });
}

}  // namespace vxlib
