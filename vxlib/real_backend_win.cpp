#include "vxlib/real_backend_win.h"

#include <algorithm>

#include "vxlib/pointer_speed_win.h"
#include "vxlib/raw_mice_win.h"

namespace vxlib {

std::mutex RealBackend::running_mutex_;
RealBackend* RealBackend::running_ = nullptr;

namespace {

std::vector<VX_ITEM_DEF> PresentMice(std::span<const VX_FILTER_DEF> filters) {
  std::vector<VX_ITEM_DEF> items;
  for (const auto& mouse : EnumerateMice()) items.push_back(DeviceItem(DeviceHandle(mouse.handle), mouse.ids, filters));
  return items;
}

}  // namespace

void RealBackend::Start(std::span<const VX_FILTER_DEF> filters, EventSink& sink) {
  {
    std::lock_guard parts(parts_mutex_);
    if (worker_) return;
  }
  // A previous run that ended without restoring the pointer speed.
  PointerSpeed::RecoverSaved();
  {
    std::lock_guard lock(mutex_);
    filters_.assign(filters.begin(), filters.end());
    sink_ = &sink;
    // The devices present at start are announced by kind 4 alone.
    devices_.Update(PresentMice(filters_));
    PublishLocked();
  }
  auto worker = std::make_unique<ActionWorker>(published_, held_);
  auto hooks = std::make_unique<InputHooks>(published_, last_device_, held_, worker->thread_id());
  SystemWatch::Listener& listener = *this;
  auto watch = std::make_unique<SystemWatch>(listener, *hooks, last_device_);
  {
    std::lock_guard parts(parts_mutex_);
    worker_ = std::move(worker);
    hooks_ = std::move(hooks);
    watch_ = std::move(watch);
  }
  {
    std::lock_guard lock(running_mutex_);
    running_ = this;
  }
  std::lock_guard lock(mutex_);
  PostLocked(PendingEvent::Plain(VX_EVENT_DEVICES_READY));
}

void RealBackend::Stop() {
  {
    std::lock_guard lock(running_mutex_);
    if (running_ == this) running_ = nullptr;
  }
  std::unique_ptr<ActionWorker> worker;
  std::unique_ptr<InputHooks> hooks;
  std::unique_ptr<SystemWatch> watch;
  {
    std::lock_guard parts(parts_mutex_);
    worker = std::move(worker_);
    hooks = std::move(hooks_);
    watch = std::move(watch_);
  }
  watch.reset();
  {
    std::lock_guard lock(mutex_);
    sink_ = nullptr;
  }
  // Hooks before the worker: nothing is handed over once the worker has
  // released what it holds.
  hooks.reset();
  worker.reset();
}

std::vector<VX_ITEM_DEF> RealBackend::Devices() const {
  std::lock_guard lock(mutex_);
  return devices_.items();
}

void RealBackend::RefreshDevices() {
  std::lock_guard lock(mutex_);
  UpdateDevicesLocked();
}

void RealBackend::SetTrigger(const VX_TRIGGER_DEF& trigger) {
  std::lock_guard lock(mutex_);
  triggers_.Set(trigger);
  PublishLocked();
}

bool RealBackend::RemoveTrigger(const VX_TRIGGER_DEF& trigger) {
  std::lock_guard lock(mutex_);
  const bool removed = triggers_.Remove(trigger);
  if (removed) PublishLocked();
  return removed;
}

void RealBackend::ClearTriggers() {
  std::lock_guard lock(mutex_);
  triggers_.Clear();
  PublishLocked();
}

bool RealBackend::SetAppProfile(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) {
  std::lock_guard lock(mutex_);
  if (!profiles_.Set(program, triggers)) return false;
  PublishLocked();
  return true;
}

bool RealBackend::SetButtonMask(uint32_t handle, const ButtonMask&) {
  // The masks belong to vendor firmware; a mouse served through the
  // system's own driver has none to set.
  std::lock_guard lock(mutex_);
  const auto& items = devices_.items();
  return std::any_of(items.begin(), items.end(), [&](const VX_ITEM_DEF& d) { return d.handle() == handle; });
}

void RealBackend::SetSlowdownModifier(int modifiers) {
  std::lock_guard parts(parts_mutex_);
  if (hooks_) hooks_->SetSlowdownHotkey(modifiers);
  if (watch_) watch_->WatchHooks();
}

void RealBackend::DeviceArrived() {
  std::lock_guard lock(mutex_);
  UpdateDevicesLocked();
}

void RealBackend::DeviceRemoved(HANDLE device) {
  std::lock_guard lock(mutex_);
  if (!devices_.Remove(DeviceHandle(device))) return;
  PostLocked(PendingEvent::Plain(VX_EVENT_DEVICE_REMOVED));
  PublishLocked();
}

void RealBackend::ForegroundChanged(HWND window) {
  std::lock_guard lock(mutex_);
  PostLocked(PendingEvent::WindowActivated(reinterpret_cast<uintptr_t>(window)));
}

void RealBackend::UpdateDevicesLocked() {
  const auto change = devices_.Update(PresentMice(filters_));
  if (change.arrived == 0 && change.removed == 0) return;
  for (int i = 0; i < change.removed; ++i) PostLocked(PendingEvent::Plain(VX_EVENT_DEVICE_REMOVED));
  for (int i = 0; i < change.arrived; ++i) PostLocked(PendingEvent::Plain(VX_EVENT_DEVICE_ARRIVED));
  if (change.arrived > 0) PostLocked(PendingEvent::Plain(VX_EVENT_DEVICES_READY));
  PublishLocked();
}

void RealBackend::PublishLocked() {
  published_.Publish(
      std::make_shared<const TriggerSnapshot>(triggers_.triggers(), filters_, devices_.items(), profiles_.profiles()));
}

void RealBackend::PostLocked(PendingEvent event) {
  if (sink_) sink_->Post(std::move(event));
}

}  // namespace vxlib
