// What the buttons of every listed mouse act with: each device's model and
// that model's button-to-trigger table. Built whenever the triggers or the
// devices change and never changed afterwards, so that the hook reads it
// without a lock and the action worker finds in it the action the hook
// decided on.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "vxlib.h"
#include "vxlib/app_profiles.h"
#include "vxlib/button_triggers.h"
#include "vxlib/mouse_input.h"
#include "vxlib/profile_tables.h"

namespace vxlib {

// A model as its position among the filters given to VX_InitLib.
using ModelIndex = uint16_t;
inline constexpr ModelIndex kNoModel = 0xFFFF;

class TriggerSnapshot {
 public:
  // How the buttons of the device in hand act.
  struct View {
    uint32_t device = 0;          // the listed device; 0 when it is not listed
    ModelIndex model = kNoModel;  // whose triggers act
    uint32_t taken_mask = 0;      // bit Index(b): a trigger of that model takes b over
    // Bit Index(b): some program's profile takes b of that model over, so a
    // press of b asks which program is in front.
    uint32_t profile_mask = 0;
  };

  // Nothing is taken over.
  TriggerSnapshot() = default;
  // triggers: the default profile's; profiles: the programs'.
  TriggerSnapshot(std::span<const VX_TRIGGER_DEF> triggers, std::span<const VX_FILTER_DEF> filters,
                  std::span<const VX_ITEM_DEF> devices, std::span<const AppProfile> profiles = {});

  // The view for the device that reported last. A device that is not
  // listed (and 0, when none has reported yet) acts as the model the
  // program's window shows first.
  const View& For(uint32_t device) const {
    for (const View& v : devices_) {
      if (v.device == device) return v;
    }
    return fallback_;
  }
  bool Lists(uint32_t device) const { return device != 0 && For(device).device == device; }
  // The action that replaces b's own event for model, or null: the
  // default profile's, or with a profile id that profile's (none once the
  // profile has gone: the press was decided for it).
  const VX_FUNCTION_DEF* Find(ModelIndex model, Button b, uint32_t profile_id = 0) const;
  const ProfileTables& profiles() const { return profiles_; }

 private:
  std::vector<View> devices_;
  View fallback_;
  std::vector<std::pair<ModelIndex, ButtonTriggers>> tables_;  // one per model in use
  ProfileTables profiles_;                                     // for the models in use
};

}  // namespace vxlib
