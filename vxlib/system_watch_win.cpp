#include "vxlib/system_watch_win.h"

#include <wtsapi32.h>

#include "vxlib/event_window_win.h"
#include "vxlib/hook_watchdog.h"
#include "vxlib/unique_hook_win.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vxlib {

namespace {

constexpr wchar_t kClassName[] = L"VxlibSystemWatch";
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT kWatchdogPeriodMs = 1000;
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kMouseUsage = 0x02;

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// Mouse arrival and removal notices for window, for as long as it lives.
class DeviceNotices {
 public:
  explicit DeviceNotices(HWND window) {
    const RAWINPUTDEVICE device{kGenericDesktopPage, kMouseUsage, RIDEV_DEVNOTIFY, window};
    registered_ = RegisterRawInputDevices(&device, 1, sizeof device) != 0;
  }
  DeviceNotices(const DeviceNotices&) = delete;
  DeviceNotices& operator=(const DeviceNotices&) = delete;
  ~DeviceNotices() {
    if (!registered_) return;
    const RAWINPUTDEVICE device{kGenericDesktopPage, kMouseUsage, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&device, 1, sizeof device);
  }

 private:
  bool registered_ = false;
};

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

  static thread_local WatchState* current;

  void CheckHook() {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    POINT cursor;
    // No cursor on the secure desktop (locked session): nothing to judge.
    if (!GetLastInputInfo(&input) || !GetCursorPos(&cursor)) return;
    const auto seen = hooks.LastSighting();
    if (watchdog.Check({input.dwTime, seen.tick, seen.events, cursor.x, cursor.y})) hooks.Reinstall();
  }
};

thread_local WatchState* WatchState::current = nullptr;

LRESULT CALLBACK WatchWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  WatchState* state = WatchState::current;
  if (state) {
    try {
      switch (message) {
        case WM_INPUT_DEVICE_CHANGE:
          if (wparam == GIDC_ARRIVAL) state->listener.DeviceArrived();
          if (wparam == GIDC_REMOVAL) state->listener.DeviceRemoved(reinterpret_cast<HANDLE>(lparam));
          return 0;
        case WM_POWERBROADCAST:
          if (wparam == PBT_APMRESUMEAUTOMATIC) {
            state->hooks.Reinstall();
            state->listener.Resumed();
          }
          return TRUE;
        case WM_WTSSESSION_CHANGE:
          if (wparam == WTS_SESSION_UNLOCK) state->hooks.Reinstall();
          return 0;
        case WM_TIMER:
          if (wparam == kWatchdogTimer) state->CheckHook();
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

SystemWatch::SystemWatch(Listener& listener, InputHooks& hooks)
    : listener_(listener), hooks_(hooks), thread_([this](const auto& ready) { Run(ready); }) {}

void SystemWatch::Run(const std::function<void()>& ready) {
  WatchState state{listener_, hooks_, {}};
  WatchState::current = &state;
  struct Forget {
    ~Forget() { WatchState::current = nullptr; }
  } forget;

  WindowClass window_class(kClassName, WatchWindowProc);
  // Top-level (power notices), never shown, never activated.
  UniqueWindow window(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, window_class.name(), L"", WS_POPUP, 0, 0, 0,
                                      0, nullptr, nullptr, Module(), nullptr));
  if (!window.get()) {
    ready();
    return;
  }
  DeviceNotices devices(window.get());
  SessionNotices sessions(window.get());
  UniqueWinEventHook foreground(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                                ForegroundProc, 0, 0, WINEVENT_OUTOFCONTEXT));
  SetTimer(window.get(), kWatchdogTimer, kWatchdogPeriodMs, nullptr);
  ready();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

}  // namespace vxlib
