// The popup list's scrolling thread: while the list is open it runs one
// round of the smooth scroll every 10 ms and reports each round that moved
// something, so the list repaints. The list's window thread turns the wheel
// and reads the state for painting and hit testing; a lock keeps the two
// sides apart.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/item_list_logic.h"

namespace tessaro {

class ItemListScroller {
 public:
  // `moved` runs on the scrolling thread; it must only hand the news on
  // (the list posts a message to its window).
  explicit ItemListScroller(std::function<void()> moved);
  ~ItemListScroller();
  ItemListScroller(const ItemListScroller&) = delete;
  ItemListScroller& operator=(const ItemListScroller&) = delete;

  // Starts the thread unless it runs.
  void Start();
  // Stops the thread and waits for it; nothing when it does not run.
  void Stop();
  // Whether the thread runs; for the thread that starts and stops it.
  bool Running() const { return thread_.joinable(); }

  // New rows: the list shows them from the top, at rest.
  void SetHeights(std::vector<int> heights);
  void Wheel(bool down, const ItemListMetrics& metrics, int client_height);
  ScrollState State() const;

 private:
  void Run(std::stop_token stop);

  const std::function<void()> moved_;
  mutable std::mutex mutex_;
  std::condition_variable_any wake_;
  std::vector<int> heights_;
  ScrollState state_;
  std::jthread thread_;
};

}  // namespace tessaro
