#include "vxlib/sim_backend.h"

#include <algorithm>

namespace vxlib {

SimBackend::SimBackend(std::vector<SimDevice> devices) : devices_(std::move(devices)) {}

void SimBackend::Start(std::span<const VX_FILTER_DEF> filters, EventSink& sink) {
  // Every scenario device is served whatever the filters say: the
  // scenario is the test's statement of what is plugged in. The filters
  // name the models whose triggers a device's buttons act with.
  std::lock_guard lock(mutex_);
  if (sink_) return;
  sink_ = &sink;
  filters_.assign(filters.begin(), filters.end());
  snapshot_.reset();
  sink_->Post(PendingEvent::Plain(VX_EVENT_DEVICES_READY));
}

void SimBackend::Stop() {
  std::lock_guard lock(mutex_);
  sink_ = nullptr;
}

std::vector<VX_ITEM_DEF> SimBackend::Devices() const {
  std::lock_guard lock(mutex_);
  std::vector<VX_ITEM_DEF> items;
  items.reserve(devices_.size());
  for (const auto& d : devices_) items.push_back(d.item);
  return items;
}

void SimBackend::SetTrigger(const VX_TRIGGER_DEF& trigger) {
  std::lock_guard lock(mutex_);
  snapshot_.reset();
  triggers_.Set(trigger);
}

bool SimBackend::RemoveTrigger(const VX_TRIGGER_DEF& trigger) {
  std::lock_guard lock(mutex_);
  snapshot_.reset();
  return triggers_.Remove(trigger);
}

void SimBackend::ClearTriggers() {
  std::lock_guard lock(mutex_);
  snapshot_.reset();
  triggers_.Clear();
}

bool SimBackend::SetAppProfile(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) {
  std::lock_guard lock(mutex_);
  snapshot_.reset();
  return profiles_.Set(program, triggers);
}

bool SimBackend::SetButtonMask(uint32_t handle, const ButtonMask& mask) {
  std::lock_guard lock(mutex_);
  const bool known =
      std::any_of(devices_.begin(), devices_.end(), [&](const SimDevice& d) { return d.item.handle() == handle; });
  if (known) button_masks_[handle] = mask;
  return known;
}

void SimBackend::SetSlowdownModifier(int modifiers) {
  std::lock_guard lock(mutex_);
  slowdown_modifier_ = modifiers;
}

SimResult SimBackend::Plug(SimDevice device) {
  std::lock_guard lock(mutex_);
  if (!sink_) return SimResult::kNotRunning;
  const uint32_t handle = device.item.handle();
  if (std::any_of(devices_.begin(), devices_.end(), [&](const SimDevice& d) { return d.item.handle() == handle; }))
    return SimResult::kHandleInUse;
  // Listed before the events go out: the program asks for the device
  // list as soon as it sees kind 0.
  devices_.push_back(std::move(device));
  snapshot_.reset();
  sink_->Post(PendingEvent::Plain(VX_EVENT_DEVICE_ARRIVED));
  sink_->Post(PendingEvent::Plain(VX_EVENT_DEVICES_READY));
  return SimResult::kOk;
}

SimResult SimBackend::Unplug(uint32_t handle) {
  std::lock_guard lock(mutex_);
  if (!sink_) return SimResult::kNotRunning;
  const auto it =
      std::find_if(devices_.begin(), devices_.end(), [&](const SimDevice& d) { return d.item.handle() == handle; });
  if (it == devices_.end()) return SimResult::kNoSuchDevice;
  devices_.erase(it);
  snapshot_.reset();
  button_masks_.erase(handle);
  sink_->Post(PendingEvent::Plain(VX_EVENT_DEVICE_REMOVED));
  return SimResult::kOk;
}

SimResult SimBackend::Inject(PendingEvent event) {
  std::lock_guard lock(mutex_);
  if (!sink_) return SimResult::kNotRunning;
  sink_->Post(std::move(event));
  return SimResult::kOk;
}

void SimBackend::SetForeground(std::u16string_view program) {
  std::lock_guard lock(mutex_);
  buttons_.SetForeground(program);
}

SimResult SimBackend::Press(uint32_t handle, ButtonEvent event, SimPress& out) {
  std::lock_guard lock(mutex_);
  if (!sink_) return SimResult::kNotRunning;
  const bool listed =
      std::any_of(devices_.begin(), devices_.end(), [&](const SimDevice& d) { return d.item.handle() == handle; });
  if (handle != 0 && !listed) return SimResult::kNoSuchDevice;
  if (!snapshot_) {
    std::vector<VX_ITEM_DEF> items;
    for (const auto& d : devices_) items.push_back(d.item);
    snapshot_ = std::make_shared<const TriggerSnapshot>(triggers_.triggers(), filters_, items, profiles_.profiles());
  }
  const SimButtons::Outcome outcome = buttons_.Decide(snapshot_, handle, event);
  out = {outcome.swallowed, std::nullopt, outcome.function};
  for (const AppProfile& p : profiles_.profiles()) {
    if (outcome.profile != 0 && p.id == outcome.profile) out.profile = p.name;
  }
  return SimResult::kOk;
}

SimSnapshot SimBackend::Snapshot() const {
  std::lock_guard lock(mutex_);
  return {sink_ != nullptr,     devices_, triggers_.triggers(), slowdown_modifier_, button_masks_, profiles_.profiles(),
          buttons_.foreground()};
}

}  // namespace vxlib
