#include "vxlib/trigger_snapshot.h"

#include <algorithm>

#include "vxlib/device_items.h"

namespace vxlib {

TriggerSnapshot::TriggerSnapshot(std::span<const VX_TRIGGER_DEF> triggers, std::span<const VX_FILTER_DEF> filters,
                                 std::span<const VX_ITEM_DEF> devices, std::span<const AppProfile> profiles) {
  // The table of a model, made once however many of its devices are listed.
  const auto view_of = [&](std::optional<size_t> model, uint32_t device) {
    View view{device};
    if (!model) return view;
    view.model = static_cast<ModelIndex>(*model);
    auto table = std::find_if(tables_.begin(), tables_.end(), [&](const auto& t) { return t.first == view.model; });
    if (table == tables_.end()) {
      tables_.emplace_back(view.model, ButtonTriggers(triggers, filters[*model]));
      table = std::prev(tables_.end());
    }
    view.taken_mask = table->second.taken_mask();
    return view;
  };
  // Filters beyond what a ModelIndex counts are never served.
  const auto served = filters.first(std::min<size_t>(filters.size(), kNoModel));
  for (const auto& d : devices) {
    if (d.handle() != 0) devices_.push_back(view_of(ModelOf(served, d), d.handle()));
  }
  fallback_ = view_of(FirstConnectedModel(served, devices), 0);
  if (profiles.empty()) return;
  std::vector<size_t> models;
  for (const auto& table : tables_) models.push_back(table.first);
  profiles_ = ProfileTables(profiles, filters, models);
  fallback_.profile_mask = profiles_.AnyTakenMask(fallback_.model);
  for (View& v : devices_) v.profile_mask = profiles_.AnyTakenMask(v.model);
}

const VX_FUNCTION_DEF* TriggerSnapshot::Find(ModelIndex model, Button b, uint32_t profile_id) const {
  if (profile_id != 0) {
    const auto profile = profiles_.WithId(profile_id);
    return profile ? profiles_.Find(*profile, model, b) : nullptr;
  }
  for (const auto& [index, table] : tables_) {
    if (index == model) return table.Find(b);
  }
  return nullptr;
}

}  // namespace vxlib
