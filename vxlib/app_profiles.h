// The profiles the program has given the library (VX_SetAppProfile): per
// program, named by its folded file name, the triggers that act while it
// owns the foreground window. Each profile keeps an id for its whole life,
// so an action handed on by the hook still finds its profile after other
// profiles changed, and finds none once its own was removed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vxlib.h"

namespace vxlib {

struct AppProfile {
  uint32_t id = 0;                       // never 0, never given twice
  std::u16string key;                    // the folded file name (FoldProgramName)
  std::u16string name;                   // the file name as the program gave it last
  std::vector<VX_TRIGGER_DEF> triggers;  // no two of the same identity
};

class AppProfiles {
 public:
  // VX_SetAppProfile's rules: false for a name ValidProgramName refuses or
  // more than VX_PROFILE_TRIGGERS_MAX triggers. No triggers removes the
  // profile; a profile set again keeps its id and its place.
  bool Set(std::u16string_view program, std::span<const VX_TRIGGER_DEF> triggers);
  void Clear() { profiles_.clear(); }
  // In the order their programs were first given.
  const std::vector<AppProfile>& profiles() const { return profiles_; }

 private:
  std::vector<AppProfile> profiles_;
  uint32_t last_id_ = 0;
};

}  // namespace vxlib
