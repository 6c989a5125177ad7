// How the real PC's mice are named to the program.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/vxlib_records.h"
#include "vxlib/device_items.h"

namespace {

using test_support::Filter;
using vxlib::UsbIds;

TEST(DeviceItems, UsbIdsFromTheDeviceName) {
  const struct {
    std::u16string name;
    std::optional<UsbIds> ids;
  } cases[] = {
      {u"\\\\?\\HID#VID_046D&PID_C077#7&1a2b&0&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", UsbIds{0x046D, 0xC077}},
      {u"\\\\?\\HID#VID_1D57&PID_fa60&MI_01&Col01#8&2f&0&0000#{378de44c}", UsbIds{0x1D57, 0xFA60}},
      {u"\\\\?\\hid#vid_1d57&pid_fa60#x", UsbIds{0x1D57, 0xFA60}},
      // Bluetooth: the vendor field's upper half is the id source.
      {u"\\\\?\\HID#{00001124-0000-1000-8000-00805f9b34fb}_VID&0002046d_PID&b023&Col01#9&1&0&0000#{378de44c}",
       UsbIds{0x046D, 0xB023}},
      {u"\\\\?\\HID#{00001812-0000-1000-8000-00805f9b34fb}_Dev_VID&02046d_PID&b02b_REV&0007_f0e1d2c3b4a5#x",
       UsbIds{0x046D, 0xB02B}},
      {u"\\\\?\\Root#RDP_MOU#0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", std::nullopt},
      {u"\\\\?\\ACPI#PNP0F13#4&1bd7f811&0#{378de44c}", std::nullopt},
      {u"\\\\?\\HID#VID_04G6&PID_C077#x", std::nullopt},  // not hexadecimal
      {u"\\\\?\\HID#VID_046D#x", std::nullopt},           // no product id
      {u"VID_04", std::nullopt},
      {u"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vxlib::UsbIdsFromDeviceName(c.name), c.ids) << std::string(c.name.begin(), c.name.end());
  }
}

// A catalogue in the program's order: two models, a model and its second
// entry without USB ids, a model whose ids do not fit the device record's
// bytes, and the generic model last.
const std::vector<VX_FILTER_DEF> kFilters = {
    Filter(2, 0x21, 0x2103, 0x4b, 0x1d57, 0xfa60),
    Filter(254, 0xc3, 0x2305, 0x4b, 0x1d57, 0xfa61),
    Filter(2, 0x23, 0x2315, 0x4b, 0, 0),
    Filter(1, 0x1c5, 0x2405, 0x14b, 0x1d57, 0xfa62),
    Filter(vxlib::kGenericModelType, vxlib::kGenericModelId, vxlib::kGenericModelPid, vxlib::kGenericModelVid),
};

TEST(DeviceItems, AModelsMouseIsReportedAsThatModelAndAnyOtherAsTheGenericOne) {
  const struct {
    const char* name;
    std::optional<UsbIds> ids;
    uint32_t type;
    uint8_t sub_id, vendor_code;
    uint32_t usb_vid, usb_pid;
  } cases[] = {
      {"first model", UsbIds{0x1d57, 0xfa60}, 2, 0x21, 0x4b, 0x1d57, 0xfa60},
      {"second model", UsbIds{0x1d57, 0xfa61}, 254, 0xc3, 0x4b, 0x1d57, 0xfa61},
      {"low bytes of model id and vid", UsbIds{0x1d57, 0xfa62}, 1, 0xc5, 0x4b, 0x1d57, 0xfa62},
      {"unknown mouse", UsbIds{0x046d, 0xc077}, 200, 0xfe, 0xfe, 0, 0},
      {"no ids", std::nullopt, 200, 0xfe, 0xfe, 0, 0},
      {"zero ids match no entry without USB ids", UsbIds{0, 0}, 200, 0xfe, 0xfe, 0, 0},
  };
  for (const auto& c : cases) {
    const VX_ITEM_DEF item = vxlib::DeviceItem(0x10041, c.ids, kFilters);
    EXPECT_EQ(item.type(), c.type) << c.name;
    EXPECT_EQ(item.sub_id(), c.sub_id) << c.name;
    EXPECT_EQ(item.vendor_code(), c.vendor_code) << c.name;
    EXPECT_EQ(item.usb_vid(), c.usb_vid) << c.name;
    EXPECT_EQ(item.usb_pid(), c.usb_pid) << c.name;
    EXPECT_EQ(item.handle(), 0x10041u) << c.name;
    EXPECT_EQ(item.unit_index(), 0) << c.name;
    EXPECT_EQ(item.release_routine(), nullptr) << c.name;
  }
  // Without the generic model among the filters a mouse is still listed.
  EXPECT_EQ(vxlib::DeviceItem(1, UsbIds{0x046d, 0xc077}, {}).type(), vxlib::kGenericModelType);
}

TEST(DeviceItems, TheFirstConnectedModelGoesByCatalogueOrder) {
  const auto item = [](std::optional<UsbIds> ids, uint32_t handle) { return vxlib::DeviceItem(handle, ids, kFilters); };
  const VX_ITEM_DEF generic = item(std::nullopt, 1);
  const VX_ITEM_DEF first = item(UsbIds{0x1d57, 0xfa60}, 2);
  const VX_ITEM_DEF second = item(UsbIds{0x1d57, 0xfa61}, 3);
  const VX_ITEM_DEF wide_ids = item(UsbIds{0x1d57, 0xfa62}, 4);
  const struct {
    const char* name;
    std::vector<VX_ITEM_DEF> devices;
    std::optional<size_t> model;  // index into kFilters
  } cases[] = {
      {"none", {}, std::nullopt},
      {"generic only", {generic}, 4},
      // The program matches such a model to no device either.
      {"a model whose ids do not fit a byte", {wide_ids}, std::nullopt},
      {"a model beats the generic one", {generic, second}, 1},
      {"catalogue order, not arrival order", {second, generic, first}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vxlib::FirstConnectedModel(kFilters, c.devices), c.model) << c.name;
  }
}

TEST(DeviceItems, ListKeepsArrivalOrderAndCountsChanges) {
  const auto item = [](uint32_t handle) { return vxlib::DeviceItem(handle, std::nullopt, kFilters); };
  const auto handles = [](const vxlib::DeviceList& list) {
    std::vector<uint32_t> out;
    for (const auto& d : list.items()) out.push_back(d.handle());
    return out;
  };
  vxlib::DeviceList list;
  auto change = list.Update({item(5), item(3)});
  EXPECT_EQ(change.arrived, 2);
  EXPECT_EQ(change.removed, 0);
  // The system lists devices in its own order; known ones keep their place.
  change = list.Update({item(7), item(3), item(5)});
  EXPECT_EQ(change.arrived, 1);
  EXPECT_EQ(handles(list), (std::vector<uint32_t>{5, 3, 7}));
  change = list.Update({item(7)});
  EXPECT_EQ(change.removed, 2);
  EXPECT_EQ(change.arrived, 0);
  EXPECT_TRUE(list.Remove(7));
  EXPECT_FALSE(list.Remove(7));
  EXPECT_TRUE(list.items().empty());
}

}  // namespace
