#include "shell/event_watcher_win.h"

#include <system_error>

namespace tessaro {

EventWatcher::EventWatcher(HANDLE event, std::function<bool()> reaction)
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), reaction_(std::move(reaction)) {
  if (!event || !stop_) return;
  try {
    thread_ = std::thread([this, event] { Watch(event); });
  } catch (const std::system_error&) {
    // Without a thread the program runs on; it only misses these requests.
  }
}

EventWatcher::~EventWatcher() {
  if (!thread_.joinable()) return;
  SetEvent(stop_.get());
  thread_.join();
}

void EventWatcher::Watch(HANDLE event) {
  // The stop event comes first: when both are signalled, stopping wins.
  const HANDLE handles[] = {stop_.get(), event};
  for (;;) {
    if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    ResetEvent(event);
    if (!reaction_()) return;
  }
}

}  // namespace tessaro
