#include "vxlib/event_window_win.h"

#include <deque>
#include <mutex>
#include <utility>

#include "vxlib/library_module_win.h"

namespace vxlib {

namespace {

constexpr UINT kDeliverMessage = WM_APP + 1;
constexpr wchar_t kClassName[] = L"VxlibEventWindow";

}  // namespace

struct EventWindow::Mailbox {
  std::mutex mutex;
  std::deque<PendingEvent> queue;
  VX_CALLBACK callback = nullptr;  // null once closed
  HWND window = nullptr;

  // On the window's thread. The lock is not held during the callback: it
  // calls back into the library, and a nested message loop inside it may
  // deliver the next event.
  void DeliverAll() {
    for (;;) {
      std::unique_lock lock(mutex);
      if (!callback || queue.empty()) return;
      PendingEvent event = std::move(queue.front());
      queue.pop_front();
      const VX_CALLBACK deliver = callback;
      lock.unlock();
      deliver(event.View());
    }
  }
};

namespace {

using MailboxRef = std::shared_ptr<EventWindow::Mailbox>;

LRESULT CALLBACK EventWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    auto* mailbox = reinterpret_cast<MailboxRef*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_NCCREATE: {
        // The window keeps the mailbox alive for as long as it exists, so
        // it may outlive the EventWindow when destroyed from another thread.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(new MailboxRef(*static_cast<MailboxRef*>(create->lpCreateParams))));
        break;
      }
      case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete mailbox;
        break;
      case kDeliverMessage:
        if (mailbox) {
          // Held here too: a callback that ends the library destroys this
          // window, and with it the window's own reference.
          const MailboxRef keep = *mailbox;
          keep->DeliverAll();
        }
        return 0;
      default:
        break;
    }
  } catch (...) {
    // Nothing may unwind into the system's message dispatch.
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

UniqueWindow::UniqueWindow(UniqueWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}

UniqueWindow& UniqueWindow::operator=(UniqueWindow&& other) noexcept {
  if (this != &other) {
    Destroy();
    window_ = std::exchange(other.window_, nullptr);
  }
  return *this;
}

void UniqueWindow::Destroy() {
  if (!window_) return;
  // Only the owning thread may destroy a window; from elsewhere it is
  // asked to, and the default handling of WM_CLOSE does it.
  if (GetWindowThreadProcessId(window_, nullptr) == GetCurrentThreadId()) {
    DestroyWindow(window_);
  } else {
    PostMessageW(window_, WM_CLOSE, 0, 0);
  }
  window_ = nullptr;
}

WindowClass::WindowClass(const wchar_t* name, WNDPROC procedure) : name_(name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = LibraryModule();
  wc.lpszClassName = name;
  owned_ = RegisterClassExW(&wc) != 0;
}

WindowClass::WindowClass(WindowClass&& other) noexcept
    : name_(other.name_), owned_(std::exchange(other.owned_, false)) {}

WindowClass& WindowClass::operator=(WindowClass&& other) noexcept {
  if (this != &other) {
    if (owned_) UnregisterClassW(name_, LibraryModule());
    name_ = other.name_;
    owned_ = std::exchange(other.owned_, false);
  }
  return *this;
}

WindowClass::~WindowClass() {
  // Fails harmlessly while a window of the class still waits for its
  // WM_CLOSE on another thread; the class then stays for the next start.
  if (owned_) UnregisterClassW(name_, LibraryModule());
}

void RunHiddenWindow(const wchar_t* class_name, WNDPROC procedure, const std::function<void()>& ready,
                     const std::function<void(HWND window, const WindowLoop& loop)>& with_window) {
  WindowClass window_class(class_name, procedure);
  UniqueWindow window(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, window_class.name(), L"", WS_POPUP, 0, 0, 0,
                                      0, nullptr, nullptr, LibraryModule(), nullptr));
  if (!window.get()) {
    ready();
    return;
  }
  with_window(window.get(), [&] {
    ready();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  });
}

std::unique_ptr<EventWindow> EventWindow::Create(VX_CALLBACK callback) {
  auto mailbox = std::make_shared<Mailbox>();
  mailbox->callback = callback;
  WindowClass window_class(kClassName, EventWindowProc);
  UniqueWindow window(
      CreateWindowExW(0, window_class.name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, LibraryModule(), &mailbox));
  if (!window.get()) return nullptr;
  mailbox->window = window.get();
  return std::unique_ptr<EventWindow>(new EventWindow(std::move(mailbox), std::move(window_class), std::move(window)));
}

EventWindow::EventWindow(std::shared_ptr<Mailbox> mailbox, WindowClass window_class, UniqueWindow window)
    : mailbox_(std::move(mailbox)), class_(std::move(window_class)), window_(std::move(window)) {}

EventWindow::~EventWindow() { Close(); }

void EventWindow::Post(PendingEvent event) {
  HWND target;
  {
    std::lock_guard lock(mailbox_->mutex);
    if (!mailbox_->callback) return;
    mailbox_->queue.push_back(std::move(event));
    target = mailbox_->window;
  }
  // One notice per event; should one get lost (full message queue), the
  // event still goes out with the next notice.
  PostMessageW(target, kDeliverMessage, 0, 0);
}

void EventWindow::Close() {
  std::lock_guard lock(mailbox_->mutex);
  mailbox_->callback = nullptr;
  mailbox_->queue.clear();
}

}  // namespace vxlib
