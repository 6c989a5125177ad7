#include "shell/driver_filters.h"

#include <cstdint>

namespace tessaro {

DriverFilters BuildDriverFilters(const std::vector<MODEL_DEF>& models) {
  DriverFilters filters;
  int count = 0;
  for (const MODEL_DEF& model : models) {
    if (model.type == 0) continue;
    if (count == kMaxDriverFilters) break;
    VX_FILTER_DEF& f = filters.entries[count++];
    f.type = static_cast<uint8_t>(model.type);
    f.model_id = static_cast<uint16_t>(model.model_id);
    f.pid = static_cast<uint16_t>(model.pid);
    f.vid = static_cast<uint16_t>(model.vid);
    f.usb_vid = static_cast<uint32_t>(model.usb_vid);
    f.usb_pid = static_cast<uint32_t>(model.usb_pid);
  }
  filters.count = count > 0 ? count : 1;
  return filters;
}

}  // namespace tessaro
