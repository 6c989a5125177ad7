#include "vxlib/profile_tables.h"

#include <algorithm>

namespace vxlib {

ProfileTables::ProfileTables(std::span<const AppProfile> profiles, std::span<const VX_FILTER_DEF> filters,
                             std::span<const size_t> models) {
  for (const size_t model : models) {
    if (model < filters.size()) any_taken_.emplace_back(model, 0);
  }
  for (const AppProfile& p : profiles) {
    Profile& profile = profiles_.emplace_back(Profile{p.id, p.key, {}});
    for (auto& [model, any] : any_taken_) {
      const Table& table = profile.tables.emplace_back(Table{model, ButtonTriggers(p.triggers, filters[model])});
      any |= table.triggers.taken_mask();
    }
  }
}

uint32_t ProfileTables::AnyTakenMask(size_t model) const {
  for (const auto& [m, any] : any_taken_) {
    if (m == model) return any;
  }
  return 0;
}

std::optional<size_t> ProfileTables::Find(std::u16string_view key) const {
  if (key.empty()) return std::nullopt;
  for (size_t i = 0; i < profiles_.size(); ++i) {
    if (profiles_[i].key == key) return i;
  }
  return std::nullopt;
}

std::optional<size_t> ProfileTables::ActingProfile(std::u16string_view key, size_t model, Button b) const {
  const auto profile = Find(key);
  if (!profile || !Find(*profile, model, b)) return std::nullopt;
  return profile;
}

std::optional<size_t> ProfileTables::WithId(uint32_t id) const {
  for (size_t i = 0; i < profiles_.size(); ++i) {
    if (profiles_[i].id == id) return i;
  }
  return std::nullopt;
}

const VX_FUNCTION_DEF* ProfileTables::Find(size_t profile, size_t model, Button b) const {
  const ButtonTriggers* table = TableOf(profile, model);
  return table ? table->Find(b) : nullptr;
}

const ButtonTriggers* ProfileTables::TableOf(size_t profile, size_t model) const {
  if (profile >= profiles_.size()) return nullptr;
  for (const Table& t : profiles_[profile].tables) {
    if (t.model == model) return &t.triggers;
  }
  return nullptr;
}

}  // namespace vxlib
