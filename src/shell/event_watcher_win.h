// A thread that waits on one event for as long as its owner lives and runs
// a reaction each time the event is signalled. The reaction runs on the
// watcher's thread: whatever it does to a window it posts. The owner's
// destructor wakes the thread and joins it, so it never outlives the
// objects the reaction uses.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

#include "catalog/unique_handle_win.h"

namespace tessaro {

class EventWatcher {
 public:
  // The event is a manual-reset event that others signal; the watcher
  // resets it before reacting, so each signal is taken once. A false from
  // the reaction ends the watch. A null event starts nothing.
  EventWatcher(HANDLE event, std::function<bool()> reaction);
  ~EventWatcher();
  EventWatcher(const EventWatcher&) = delete;
  EventWatcher& operator=(const EventWatcher&) = delete;

 private:
  void Watch(HANDLE event);

  UniqueHandle stop_;
  std::function<bool()> reaction_;
  std::thread thread_;
};

}  // namespace tessaro
