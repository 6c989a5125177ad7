#include "vxlib/app_profiles.h"

#include <algorithm>

#include "program_name.h"
#include "vxlib/trigger_table.h"

namespace vxlib {

bool AppProfiles::Set(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers) {
  if (!ValidProgramName(program) || triggers.size() > static_cast<size_t>(VX_PROFILE_TRIGGERS_MAX)) return false;
  const std::u16string key = FoldProgramName(program);
  auto it = std::find_if(profiles_.begin(), profiles_.end(), [&](const AppProfile& p) { return p.key == key; });
  if (triggers.empty()) {
    if (it != profiles_.end()) profiles_.erase(it);
    return true;
  }
  // Installed one by one, so a later trigger of an identity replaces an
  // earlier one as VX_SetTriggerEvent would.
  TriggerTable table;
  for (const auto& t : triggers) table.Set(t);
  if (it == profiles_.end()) {
    profiles_.push_back({++last_id_, key, {}, {}});
    it = std::prev(profiles_.end());
  }
  it->name.assign(program);
  it->triggers = table.triggers();
  return true;
}

}  // namespace vxlib
