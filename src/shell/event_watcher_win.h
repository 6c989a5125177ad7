// A thread that waits on events for as long as its owner lives and runs an
// event's reaction each time it is signalled. The reactions run on the
// watcher's thread: whatever they do to a window they post. The owner's
// destructor wakes the thread and joins it, so it never outlives the
// objects the reactions use. One thread serves every event: a waiting
// thread costs memory even when it never wakes.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>
#include <vector>

#include "catalog/unique_handle_win.h"

namespace tessaro {

class EventWatcher {
 public:
  struct Watch {
    HANDLE event;
    std::function<bool()> reaction;
  };

  // Each event is a manual-reset event that others signal; the watcher
  // resets it before reacting, so each signal is taken once. A false from
  // a reaction ends the whole watch. Null events are left out; with none,
  // nothing starts. When several are signalled together, the first listed
  // reacts first.
  explicit EventWatcher(std::vector<Watch> watches);
  EventWatcher(HANDLE event, std::function<bool()> reaction) : EventWatcher({{event, std::move(reaction)}}) {}
  ~EventWatcher();
  EventWatcher(const EventWatcher&) = delete;
  EventWatcher& operator=(const EventWatcher&) = delete;

 private:
  void Run();

  UniqueHandle stop_;
  std::vector<Watch> watches_;
  std::thread thread_;
};

}  // namespace tessaro
