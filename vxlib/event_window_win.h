// The library's message-only window, owned by the thread that called
// VX_InitLib. Every event for the program waits in its queue and reaches
// the callback from that thread's message loop, whichever thread posted
// it: the program's callback runs timers and windows of its UI thread.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "vxlib/backend.h"

namespace vxlib {

// Owns a window; destroys it on its own thread, or asks that thread to
// when released from another one.
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND window) : window_(window) {}
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  UniqueWindow(UniqueWindow&& other) noexcept;
  UniqueWindow& operator=(UniqueWindow&& other) noexcept;
  ~UniqueWindow() { Destroy(); }

  HWND get() const { return window_; }

 private:
  void Destroy();

  HWND window_ = nullptr;
};

// Registers the window class for as long as it lives.
class WindowClass {
 public:
  WindowClass(const wchar_t* name, WNDPROC procedure);
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  WindowClass(WindowClass&& other) noexcept;
  WindowClass& operator=(WindowClass&& other) noexcept;
  ~WindowClass();

  const wchar_t* name() const { return name_; }

 private:
  const wchar_t* name_;
  bool owned_ = false;  // false when it was registered already
};

// The body of a library thread that receives notices through a window of
// its own: a top-level window (some notices go to top-level windows only),
// never shown, never activated. with_window makes what must live as long as
// the thread's message loop (registrations, hooks, timers), then calls
// loop, which signals ready and dispatches messages until WM_QUIT. Without
// a window, only ready is signalled.
using WindowLoop = std::function<void()>;
void RunHiddenWindow(const wchar_t* class_name, WNDPROC procedure, const std::function<void()>& ready,
                     const std::function<void(HWND window, const WindowLoop& loop)>& with_window);

class EventWindow final : public EventSink {
 public:
  // Creates the window on the calling thread; null if that fails.
  static std::unique_ptr<EventWindow> Create(VX_CALLBACK callback);
  EventWindow(const EventWindow&) = delete;
  EventWindow& operator=(const EventWindow&) = delete;
  ~EventWindow();

  // Any thread. The event is delivered later, in order.
  void Post(PendingEvent event) override;
  // Any thread: queued events are dropped, nothing is delivered any more.
  void Close();

  struct Mailbox;

 private:
  EventWindow(std::shared_ptr<Mailbox> mailbox, WindowClass window_class, UniqueWindow window);

  std::shared_ptr<Mailbox> mailbox_;
  // Declared in this order so that the window goes before its class.
  WindowClass class_;
  UniqueWindow window_;
};

}  // namespace vxlib
