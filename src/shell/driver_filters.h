// The models the driver library is told to watch: one filter record per
// catalogue model that has a driver type (type 0 models are not watched).
#pragma once

#include <array>
#include <vector>

#include "catalog/model_catalogue.h"
#include "vxlib.h"

namespace tessaro {

inline constexpr int kMaxDriverFilters = 200;

struct DriverFilters {
  std::array<VX_FILTER_DEF, kMaxDriverFilters> entries{};
  // Never 0: the library expects at least one record, so with no model it
  // gets a single all-zero one.
  int count = 1;
};

// In catalogue order; models beyond the array's capacity are left out.
DriverFilters BuildDriverFilters(const std::vector<MODEL_DEF>& models);

}  // namespace tessaro
