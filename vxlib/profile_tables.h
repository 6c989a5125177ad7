// The profiles' button-to-trigger tables for the models being served,
// built with each trigger snapshot and never changed afterwards, and the
// rule of which profile acts: the profile of the program in front when it
// assigns the button, else none (the default profile's trigger acts, as
// without profiles).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vxlib.h"
#include "vxlib/app_profiles.h"
#include "vxlib/button_triggers.h"
#include "vxlib/mouse_input.h"

namespace vxlib {

class ProfileTables {
 public:
  // No profiles: nothing ever needs to know which program is in front.
  ProfileTables() = default;
  // models: the positions in filters of the models whose buttons are
  // served; the others have no tables.
  ProfileTables(std::span<const AppProfile> profiles, std::span<const VX_FILTER_DEF> filters,
                std::span<const size_t> models);

  bool empty() const { return profiles_.empty(); }
  // Bit Index(b) when some profile assigns b of model: only a press of
  // such a button needs to know which program is in front.
  uint32_t AnyTakenMask(size_t model) const;
  // The position of the profile of the program whose folded file name is
  // key; nullopt for none (also for an empty key: a program whose name is
  // unknown).
  std::optional<size_t> Find(std::u16string_view key) const;
  // The profile that acts for b of model while the program with folded
  // file name key owns the foreground: its own when it assigns b.
  std::optional<size_t> ActingProfile(std::u16string_view key, size_t model, Button b) const;
  uint32_t id(size_t profile) const { return profiles_[profile].id; }
  std::optional<size_t> WithId(uint32_t id) const;
  // The action of profile for b of model, or null.
  const VX_FUNCTION_DEF* Find(size_t profile, size_t model, Button b) const;

 private:
  struct Table {
    size_t model;
    ButtonTriggers triggers;
  };
  struct Profile {
    uint32_t id;
    std::u16string key;
    std::vector<Table> tables;
  };
  const ButtonTriggers* TableOf(size_t profile, size_t model) const;

  std::vector<Profile> profiles_;
  std::vector<std::pair<size_t, uint32_t>> any_taken_;  // per model
};

}  // namespace vxlib
