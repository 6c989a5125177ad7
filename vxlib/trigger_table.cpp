#include "vxlib/trigger_table.h"

namespace vxlib {

void TriggerTable::Set(const VX_TRIGGER_DEF& trigger) {
  if (const auto found = index_.Find(trigger)) {
    triggers_[*found] = trigger;
    return;
  }
  triggers_.push_back(trigger);
  index_.Add(trigger, triggers_.size() - 1);
}

bool TriggerTable::Remove(const VX_TRIGGER_DEF& trigger) {
  const auto found = index_.Find(trigger);
  if (!found) return false;
  triggers_.erase(triggers_.begin() + static_cast<std::ptrdiff_t>(*found));
  index_.Rebuild(triggers_, [](const VX_TRIGGER_DEF& t) -> const VX_TRIGGER_DEF& { return t; });
  return true;
}

}  // namespace vxlib
