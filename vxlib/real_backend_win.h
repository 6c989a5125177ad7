// The backend that acts on the real PC: the mice Raw Input lists, the
// buttons a low-level mouse hook sees, each acting with the triggers of its
// own mouse's model, the actions SendInput performs, the pointer speed of
// the slowdown hotkey. Thread-safe: the program's threads and the
// library's own threads call it at the same time.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "vxlib/action_worker_win.h"
#include "vxlib/app_profiles.h"
#include "vxlib/backend.h"
#include "vxlib/device_items.h"
#include "vxlib/held_input.h"
#include "vxlib/input_hooks_win.h"
#include "vxlib/published_triggers.h"
#include "vxlib/system_watch_win.h"
#include "vxlib/trigger_table.h"

namespace vxlib {

class RealBackend final : public Backend, private SystemWatch::Listener {
 public:
  // held: where the action worker keeps what the library holds.
  explicit RealBackend(HeldInput& held) : held_(held) {}
  RealBackend(const RealBackend&) = delete;
  RealBackend& operator=(const RealBackend&) = delete;
  ~RealBackend() override { Stop(); }

  void Start(std::span<const VX_FILTER_DEF> filters, EventSink& sink) override;
  void Stop() override;
  std::vector<VX_ITEM_DEF> Devices() const override;
  void RefreshDevices() override;
  void SetTrigger(const VX_TRIGGER_DEF& trigger) override;
  bool RemoveTrigger(const VX_TRIGGER_DEF& trigger) override;
  void ClearTriggers() override;
  bool SetAppProfile(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) override;
  bool SetButtonMask(uint32_t handle, const ButtonMask& mask) override;
  void SetSlowdownModifier(int modifiers) override;

  // Runs body with the running real backend's hooks; false without one.
  // For the test build's exports only.
  template <class F>
  static bool WithRunningHooks(F&& body) {
    std::lock_guard lock(running_mutex_);
    if (!running_) return false;
    std::lock_guard parts(running_->parts_mutex_);
    if (!running_->hooks_) return false;
    body(*running_->hooks_);
    return true;
  }

 private:
  void DeviceArrived() override;
  void DeviceRemoved(HANDLE device) override;
  void ForegroundChanged(HWND window) override;
  void Resumed() override { RefreshDevices(); }

  // Under mutex_: takes a fresh enumeration and tells the program.
  void UpdateDevicesLocked();
  // Under mutex_: what each mouse's buttons act with.
  void PublishLocked();
  void PostLocked(PendingEvent event);

  mutable std::mutex mutex_;
  std::vector<VX_FILTER_DEF> filters_;
  EventSink* sink_ = nullptr;  // set while running
  DeviceList devices_;
  TriggerTable triggers_;
  AppProfiles profiles_;
  PublishedTriggers published_;
  HeldInput& held_;
  // The device of the latest Raw Input mouse report, 0 before the first.
  std::atomic<uint32_t> last_device_{0};

  // Made at start, in this order, and ended in the reverse one. Guarded by
  // parts_mutex_, which is never held while their threads end, nor with
  // mutex_, since their threads call back into the backend.
  std::mutex parts_mutex_;
  std::unique_ptr<ActionWorker> worker_;
  std::unique_ptr<InputHooks> hooks_;
  std::unique_ptr<SystemWatch> watch_;

  static std::mutex running_mutex_;
  static RealBackend* running_;
};

}  // namespace vxlib
