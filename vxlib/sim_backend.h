// The simulation backend: serves the devices of a scenario and whatever
// the control channel plugs in, and keeps what the program programs into
// it so that the channel can show it. Thread-safe: the program's threads
// and the channel's thread call it at the same time.
#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "vxlib/backend.h"
#include "vxlib/scenario.h"
#include "vxlib/trigger_table.h"

namespace vxlib {

// Everything the simulation holds, copied out at one moment.
struct SimSnapshot {
  bool running = false;
  std::vector<SimDevice> devices;
  std::vector<VX_TRIGGER_DEF> triggers;
  int slowdown_modifier = 0;
  std::map<uint32_t, ButtonMask> button_masks;  // by device handle
};

enum class SimResult { kOk, kNotRunning, kHandleInUse, kNoSuchDevice };

class SimBackend final : public Backend {
 public:
  explicit SimBackend(std::vector<SimDevice> devices);

  void Start(std::span<const VX_FILTER_DEF> filters, EventSink& sink) override;
  void Stop() override;
  std::vector<VX_ITEM_DEF> Devices() const override;
  void RefreshDevices() override {}
  void SetTrigger(const VX_TRIGGER_DEF& trigger) override;
  bool RemoveTrigger(const VX_TRIGGER_DEF& trigger) override;
  void ClearTriggers() override;
  bool SetButtonMask(uint32_t handle, const ButtonMask& mask) override;
  void SetSlowdownModifier(int modifiers) override;

  // A device arrives: it is listed, then kinds 0 and 4 are posted.
  SimResult Plug(SimDevice device);
  // A device leaves with its button mask; kind 2 is posted.
  SimResult Unplug(uint32_t handle);
  // Posts an event as the real input would cause it.
  SimResult Inject(PendingEvent event);
  SimSnapshot Snapshot() const;

 private:
  mutable std::mutex mutex_;
  EventSink* sink_ = nullptr;  // set while running
  std::vector<SimDevice> devices_;
  TriggerTable triggers_;
  int slowdown_modifier_ = 0;
  std::map<uint32_t, ButtonMask> button_masks_;
};

}  // namespace vxlib
