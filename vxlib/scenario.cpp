#include "vxlib/scenario.h"

#include <cstdint>
#include <set>

#include "vxlib/json_number.h"

namespace vxlib {

namespace {

constexpr const char* kKeys[] = {"name",   "type",    "unit_index", "unit_active", "vendor_code",
                                 "sub_id", "usb_vid", "usb_pid",    "handle"};

bool OnlyKnownKeys(const nlohmann::json& object) {
  for (const auto& [key, value] : object.items()) {
    bool known = false;
    for (const char* k : kKeys) known = known || key == k;
    if (!known) return false;
  }
  return true;
}

bool ReadUnitFlags(const nlohmann::json& object, VX_ITEM_DEF& item) {
  const auto it = object.find("unit_active");
  if (it == object.end()) return true;
  if (!it->is_array() || it->size() > VX_ITEM_DEF::kUnitCount) return false;
  for (size_t k = 0; k < it->size(); ++k) {
    const auto& flag = (*it)[k];
    if (flag.is_boolean()) {
      item.set_unit_active(k, flag.get<bool>() ? 1 : 0);
      continue;
    }
    const auto value = ReadWholeNumber(flag, 0, UINT8_MAX);
    if (!value) return false;
    item.set_unit_active(k, static_cast<uint8_t>(*value));
  }
  return true;
}

}  // namespace

std::optional<SimDevice> ParseDevice(const nlohmann::json& object) {
  if (!object.is_object() || !OnlyKnownKeys(object)) return {};
  SimDevice device;
  if (const auto it = object.find("name"); it != object.end()) {
    if (!it->is_string()) return {};
    device.name = it->get<std::string>();
  }
  const auto type = ReadWholeNumber(object, "type", 0, UINT32_MAX, 0);
  const auto unit_index = ReadWholeNumber(object, "unit_index", 0, UINT8_MAX, 0);
  const auto vendor_code = ReadWholeNumber(object, "vendor_code", 0, UINT8_MAX, 0);
  const auto sub_id = ReadWholeNumber(object, "sub_id", 0, UINT8_MAX, 0);
  const auto usb_vid = ReadWholeNumber(object, "usb_vid", 0, UINT32_MAX, 0);
  const auto usb_pid = ReadWholeNumber(object, "usb_pid", 0, UINT32_MAX, 0);
  const auto handle = ReadWholeNumber(object, "handle", 0, UINT32_MAX, 0);
  if (!type || !unit_index || !vendor_code || !sub_id || !usb_vid || !usb_pid || !handle) return {};
  VX_ITEM_DEF& item = device.item;
  item.set_type(static_cast<uint32_t>(*type));
  item.set_unit_index(static_cast<uint8_t>(*unit_index));
  item.set_vendor_code(static_cast<uint8_t>(*vendor_code));
  item.set_sub_id(static_cast<uint8_t>(*sub_id));
  item.set_usb_vid(static_cast<uint32_t>(*usb_vid));
  item.set_usb_pid(static_cast<uint32_t>(*usb_pid));
  item.set_handle(static_cast<uint32_t>(*handle));
  if (!ReadUnitFlags(object, item)) return {};
  return device;
}

nlohmann::json DeviceToJson(const SimDevice& device) {
  const VX_ITEM_DEF& item = device.item;
  size_t flags = VX_ITEM_DEF::kUnitCount;
  while (flags > 0 && item.unit_active(flags - 1) == 0) --flags;
  auto unit_active = nlohmann::json::array();
  for (size_t k = 0; k < flags; ++k) unit_active.push_back(item.unit_active(k));
  return {{"name", device.name},
          {"type", item.type()},
          {"unit_index", item.unit_index()},
          {"unit_active", std::move(unit_active)},
          {"vendor_code", item.vendor_code()},
          {"sub_id", item.sub_id()},
          {"usb_vid", item.usb_vid()},
          {"usb_pid", item.usb_pid()},
          {"handle", item.handle()}};
}

std::vector<SimDevice> ParseScenario(std::string_view text) {
  const auto document = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!document.is_object()) return {};
  const auto list = document.find("devices");
  if (list == document.end() || !list->is_array()) return {};
  std::vector<SimDevice> devices;
  std::set<uint32_t> handles;
  for (const auto& entry : *list) {
    auto device = ParseDevice(entry);
    if (!device || !handles.insert(device->item.handle()).second) return {};
    devices.push_back(std::move(*device));
  }
  return devices;
}

}  // namespace vxlib
