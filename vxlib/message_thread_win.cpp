#include "vxlib/message_thread_win.h"

#include <future>
#include <utility>

namespace vxlib {

MessageThread::MessageThread(Body body) {
  std::promise<void> started;
  auto ready = started.get_future();
  thread_ = std::thread([this, started = std::move(started), body = std::move(body)]() mutable {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // creates the queue
    id_ = GetCurrentThreadId();
    bool signalled = false;
    const auto signal = [&] {
      if (!std::exchange(signalled, true)) started.set_value();
    };
    try {
      body(signal);
    } catch (...) {
      // Nothing may leave a library thread; its work simply ends.
    }
    signal();
  });
  ready.wait();
}

MessageThread::~MessageThread() {
  Post(WM_QUIT);
  thread_.join();
}

bool MessageThread::Post(UINT message, WPARAM wparam, LPARAM lparam) const {
  return PostThreadMessageW(id_, message, wparam, lparam) != 0;
}

}  // namespace vxlib
