// How the real PC's mice are reported to the program: a mouse whose USB
// ids are those of a model registered with VX_InitLib is reported as that
// model, every other mouse as the catalogue's generic "Standard mouse".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "vxlib.h"

namespace vxlib {

// The generic model of the model catalogue (data/model, "Standard mouse").
inline constexpr uint8_t kGenericModelType = 200;
inline constexpr uint16_t kGenericModelId = 0xFE;
inline constexpr uint16_t kGenericModelPid = 0x9000;
inline constexpr uint16_t kGenericModelVid = 0xFE;

struct UsbIds {
  uint16_t vid = 0;
  uint16_t pid = 0;
  bool operator==(const UsbIds&) const = default;
};

// The vendor and product id in a device interface name: the USB form
// "\\?\HID#VID_046D&PID_C077&MI_00#..." or the Bluetooth forms
// "...}_VID&0002046d_PID&b023&Col01#..." and "..._Dev_VID&02046d_PID&b02b..."
// (whose vendor field carries the id source in front). nullopt when the
// name has none.
std::optional<UsbIds> UsbIdsFromDeviceName(std::u16string_view name);

// The record for the mouse with this handle.
VX_ITEM_DEF DeviceItem(uint32_t handle, std::optional<UsbIds> ids, std::span<const VX_FILTER_DEF> filters);

// The model a device is reported as, as an index into filters: the first
// model, in the program's catalogue order, that the device matches.
std::optional<size_t> ModelOf(std::span<const VX_FILTER_DEF> filters, const VX_ITEM_DEF& device);

// The model the program's window shows first: the first model, in
// catalogue order, that a listed device matches.
std::optional<size_t> FirstConnectedModel(std::span<const VX_FILTER_DEF> filters, std::span<const VX_ITEM_DEF> devices);

// The devices being served, in arrival order.
class DeviceList {
 public:
  struct Change {
    int arrived = 0;
    int removed = 0;
  };

  // Takes a fresh enumeration: devices keep their place, new ones go last.
  Change Update(const std::vector<VX_ITEM_DEF>& present);
  // False when the handle is not listed.
  bool Remove(uint32_t handle);
  const std::vector<VX_ITEM_DEF>& items() const { return items_; }

 private:
  std::vector<VX_ITEM_DEF> items_;
};

}  // namespace vxlib
