#include "shell/event_watcher_win.h"

#include <system_error>

namespace tessaro {

EventWatcher::EventWatcher(std::vector<Watch> watches) : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  for (Watch& watch : watches)
    if (watch.event) watches_.push_back(std::move(watch));
  if (watches_.empty() || !stop_) return;
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // Without a thread the program runs on; it only misses these requests.
  }
}

EventWatcher::~EventWatcher() {
  if (!thread_.joinable()) return;
  SetEvent(stop_.get());
  thread_.join();
}

void EventWatcher::Run() {
  // The stop event comes first: when it is signalled with others, stopping
  // wins.
  std::vector<HANDLE> handles{stop_.get()};
  for (const Watch& watch : watches_) handles.push_back(watch.event);
  const auto count = static_cast<DWORD>(handles.size());
  for (;;) {
    const DWORD woke = WaitForMultipleObjects(count, handles.data(), FALSE, INFINITE);
    if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + count) return;
    const Watch& watch = watches_[woke - WAIT_OBJECT_0 - 1];
    ResetEvent(watch.event);
    if (!watch.reaction()) return;
  }
}

}  // namespace tessaro
