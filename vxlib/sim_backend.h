// The simulation backend: serves the devices of a scenario and whatever
// the control channel plugs in, and keeps what the program programs into
// it so that the channel can show it. Thread-safe: the program's threads
// and the channel's thread call it at the same time.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "vxlib/app_profiles.h"
#include "vxlib/backend.h"
#include "vxlib/scenario.h"
#include "vxlib/sim_buttons.h"
#include "vxlib/trigger_table.h"

namespace vxlib {

// Everything the simulation holds, copied out at one moment.
struct SimSnapshot {
  bool running = false;
  std::vector<SimDevice> devices;
  std::vector<VX_TRIGGER_DEF> triggers;
  int slowdown_modifier = 0;
  std::map<uint32_t, ButtonMask> button_masks;  // by device handle
  std::vector<AppProfile> profiles;
  // The file name of the program in front, empty for one without a name;
  // nullopt until the channel names one.
  std::optional<std::u16string> foreground;
};

enum class SimResult { kOk, kNotRunning, kHandleInUse, kNoSuchDevice };

// What the library would do with a button event.
struct SimPress {
  bool swallowed = false;
  // The program whose profile acts, as it was given; nullopt: the default
  // profile (or nothing).
  std::optional<std::u16string> profile;
  std::optional<VX_FUNCTION_DEF> function;  // performed at a press or a step
};

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
  bool SetAppProfile(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) override;
  bool SetButtonMask(uint32_t handle, const ButtonMask& mask) override;
  void SetSlowdownModifier(int modifiers) override;

  // A device arrives: it is listed, then kinds 0 and 4 are posted.
  SimResult Plug(SimDevice device);
  // A device leaves with its button mask; kind 2 is posted.
  SimResult Unplug(uint32_t handle);
  // Posts an event as the real input would cause it.
  SimResult Inject(PendingEvent event);
  // The program that owns the foreground window from now on, by its file
  // name or path; empty for a program whose name cannot be read.
  void SetForeground(std::u16string_view program);
  // A button event of the device with handle (0: a device that is not
  // listed) while the program set last is in front, decided as the hook
  // decides it; the actions are not performed.
  SimResult Press(uint32_t handle, ButtonEvent event, SimPress& out);
  SimSnapshot Snapshot() const;

 private:
  mutable std::mutex mutex_;
  EventSink* sink_ = nullptr;  // set while running
  std::vector<SimDevice> devices_;
  TriggerTable triggers_;
  int slowdown_modifier_ = 0;
  std::map<uint32_t, ButtonMask> button_masks_;
  AppProfiles profiles_;
  std::vector<VX_FILTER_DEF> filters_;
  // Made when a button event needs it after a change; null until then.
  std::shared_ptr<const TriggerSnapshot> snapshot_;
  SimButtons buttons_;
};

}  // namespace vxlib
