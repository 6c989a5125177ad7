#include "vxlib/trigger_table.h"

#include <algorithm>

#include "trigger_identity.h"

namespace vxlib {

void TriggerTable::Set(const VX_TRIGGER_DEF& trigger) {
  for (auto& t : triggers_) {
    if (SameTriggerIdentity(t, trigger)) {
      t = trigger;
      return;
    }
  }
  triggers_.push_back(trigger);
}

bool TriggerTable::Remove(const VX_TRIGGER_DEF& trigger) {
  auto it = std::find_if(triggers_.begin(), triggers_.end(),
                         [&](const VX_TRIGGER_DEF& t) { return SameTriggerIdentity(t, trigger); });
  if (it == triggers_.end()) return false;
  triggers_.erase(it);
  return true;
}

}  // namespace vxlib
