#include "vxlib/device_items.h"

#include <algorithm>

namespace vxlib {

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Position just after the first case-insensitive occurrence of key.
std::optional<size_t> After(std::u16string_view text, std::u16string_view key) {
  for (size_t i = 0; i + key.size() <= text.size(); ++i) {
    bool same = true;
    for (size_t j = 0; j < key.size() && same; ++j) same = Upper(text[i + j]) == key[j];
    if (same) return i + key.size();
  }
  return std::nullopt;
}

// 4 to 8 hexadecimal digits at text[at], up to the first other
// character; the value's low 16 bits.
std::optional<uint16_t> Hex(std::u16string_view text, size_t at) {
  uint32_t value = 0;
  size_t digits = 0;
  for (; at + digits < text.size() && digits < 8; ++digits) {
    const char16_t c = Upper(text[at + digits]);
    const int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
    if (d < 0) break;
    value = value << 4 | static_cast<uint32_t>(d);
  }
  if (digits < 4) return std::nullopt;
  return static_cast<uint16_t>(value);
}

std::optional<UsbIds> Read(std::u16string_view name, std::u16string_view vid_key, std::u16string_view pid_key) {
  const auto v = After(name, vid_key);
  if (!v) return std::nullopt;
  const auto vid = Hex(name, *v);
  const auto p = After(name.substr(*v), pid_key);
  if (!vid || !p) return std::nullopt;
  const auto pid = Hex(name, *v + *p);
  if (!pid) return std::nullopt;
  return UsbIds{*vid, *pid};
}

bool Matches(const VX_ITEM_DEF& d, const VX_FILTER_DEF& f) {
  return d.type() == f.type && d.usb_vid() == f.usb_vid && d.usb_pid() == f.usb_pid && d.sub_id() == f.model_id &&
         d.vendor_code() == f.vid;
}

bool Listed(const std::vector<VX_ITEM_DEF>& items, uint32_t handle) {
  return std::any_of(items.begin(), items.end(), [&](const VX_ITEM_DEF& d) { return d.handle() == handle; });
}

}  // namespace

std::optional<UsbIds> UsbIdsFromDeviceName(std::u16string_view name) {
  if (auto usb = Read(name, u"VID_", u"PID_")) return usb;
  return Read(name, u"VID&", u"PID&");
}

VX_ITEM_DEF DeviceItem(uint32_t handle, std::optional<UsbIds> ids, std::span<const VX_FILTER_DEF> filters) {
  VX_ITEM_DEF item{};
  item.set_handle(handle);
  const auto model = std::find_if(filters.begin(), filters.end(), [&](const VX_FILTER_DEF& f) {
    return ids && ids->vid != 0 && f.type != 0 && f.usb_vid == ids->vid && f.usb_pid == ids->pid;
  });
  if (model == filters.end()) {
    item.set_type(kGenericModelType);
    item.set_sub_id(static_cast<uint8_t>(kGenericModelId));
    item.set_vendor_code(static_cast<uint8_t>(kGenericModelVid));
    return item;
  }
  item.set_type(model->type);
  item.set_sub_id(static_cast<uint8_t>(model->model_id));
  item.set_vendor_code(static_cast<uint8_t>(model->vid));
  item.set_usb_vid(ids->vid);
  item.set_usb_pid(ids->pid);
  return item;
}

std::optional<size_t> ModelOf(std::span<const VX_FILTER_DEF> filters, const VX_ITEM_DEF& device) {
  for (size_t i = 0; i < filters.size(); ++i) {
    if (filters[i].type != 0 && Matches(device, filters[i])) return i;
  }
  return std::nullopt;
}

std::optional<size_t> FirstConnectedModel(std::span<const VX_FILTER_DEF> filters,
                                          std::span<const VX_ITEM_DEF> devices) {
  for (size_t i = 0; i < filters.size(); ++i) {
    if (filters[i].type == 0) continue;
    if (std::any_of(devices.begin(), devices.end(), [&](const VX_ITEM_DEF& d) { return Matches(d, filters[i]); })) {
      return i;
    }
  }
  return std::nullopt;
}

DeviceList::Change DeviceList::Update(const std::vector<VX_ITEM_DEF>& present) {
  Change change;
  std::vector<VX_ITEM_DEF> kept;
  for (const auto& d : items_) {
    const auto now =
        std::find_if(present.begin(), present.end(), [&](const VX_ITEM_DEF& p) { return p.handle() == d.handle(); });
    if (now != present.end()) {
      kept.push_back(*now);
    } else {
      ++change.removed;
    }
  }
  for (const auto& d : present) {
    if (!Listed(kept, d.handle())) {
      kept.push_back(d);
      ++change.arrived;
    }
  }
  items_ = std::move(kept);
  return change;
}

bool DeviceList::Remove(uint32_t handle) {
  const auto it =
      std::find_if(items_.begin(), items_.end(), [&](const VX_ITEM_DEF& d) { return d.handle() == handle; });
  if (it == items_.end()) return false;
  items_.erase(it);
  return true;
}

}  // namespace vxlib
