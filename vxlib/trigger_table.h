// The set of installed triggers, kept by identity: installing replaces a
// trigger of the same identity in place, removing drops it. An index by
// identity finds them, so a load of a thousand costs no thousand walks.
#pragma once

#include <vector>

#include "trigger_identity.h"
#include "vxlib.h"

namespace vxlib {

class TriggerTable {
 public:
  void Set(const VX_TRIGGER_DEF& trigger);
  // Returns whether a trigger of that identity was installed.
  bool Remove(const VX_TRIGGER_DEF& trigger);
  void Clear() {
    triggers_.clear();
    index_.Clear();
  }
  const std::vector<VX_TRIGGER_DEF>& triggers() const { return triggers_; }

 private:
  std::vector<VX_TRIGGER_DEF> triggers_;
  TriggerIdentityIndex index_;
};

}  // namespace vxlib
