#include "ui/item_list_scroller.h"

#include <chrono>

namespace tessaro {

ItemListScroller::ItemListScroller(std::function<void()> moved) : moved_(std::move(moved)) {}

ItemListScroller::~ItemListScroller() { Stop(); }

void ItemListScroller::Start() {
  if (thread_.joinable()) return;
  thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void ItemListScroller::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void ItemListScroller::SetHeights(std::vector<int> heights) {
  std::lock_guard lock(mutex_);
  heights_ = std::move(heights);
  state_ = {};
}

void ItemListScroller::Wheel(bool down, const ItemListMetrics& metrics, int client_height) {
  std::lock_guard lock(mutex_);
  WheelScroll(state_, down, heights_, metrics, client_height);
}

ScrollState ItemListScroller::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void ItemListScroller::Run(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  // The stop request wakes the wait at once.
  while (!wake_.wait_for(lock, stop, std::chrono::milliseconds(10), [&] { return stop.stop_requested(); })) {
    if (!StepScroll(state_, heights_)) continue;
    lock.unlock();
    moved_();
    lock.lock();
  }
}

}  // namespace tessaro
