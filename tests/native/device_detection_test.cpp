// Matching devices to catalogue models and choosing the selected model.
#include "device/device_detection.h"

#include <gtest/gtest.h>

#include "catalog/settings_store.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::DetectDevices;
using tessaro::MODEL_DEF;
using namespace test_support;
using Strings = std::vector<std::string>;

// A device reporting exactly the model's identifiers.
VX_ITEM_DEF DeviceOf(const MODEL_DEF& model) {
  VX_ITEM_DEF device{};
  device.set_type(static_cast<uint32_t>(model.type));
  device.set_usb_vid(static_cast<uint32_t>(model.usb_vid));
  device.set_usb_pid(static_cast<uint32_t>(model.usb_pid));
  device.set_sub_id(static_cast<uint8_t>(model.model_id));
  device.set_vendor_code(static_cast<uint8_t>(model.vid));
  return device;
}

TEST(DeviceMatching, FourRules) {
  const MODEL_DEF model = TestModel(0x09, 0x3408, 0x4b, 0x3a7c, 0x7a09, 2);
  auto changed = [&](auto change) {
    VX_ITEM_DEF device = DeviceOf(model);
    change(device);
    return device;
  };
  auto model_with = [&](auto change) {
    MODEL_DEF other = model;
    change(other);
    return other;
  };
  struct Case {
    const char* what;
    VX_ITEM_DEF device;
    MODEL_DEF model;
    bool matches;
  };
  const Case cases[] = {
      {"same identifiers", DeviceOf(model), model, true},
      {"inactive unit", changed([](VX_ITEM_DEF& d) { d.set_unit_index(2); }), model, false},
      {"active unit", changed([](VX_ITEM_DEF& d) { d.set_unit_index(2), d.set_unit_active(2, 1); }), model, true},
      {"other unit active", changed([](VX_ITEM_DEF& d) { d.set_unit_index(2), d.set_unit_active(1, 1); }), model,
       false},
      {"type", changed([](VX_ITEM_DEF& d) { d.set_type(1); }), model, false},
      {"usb vid", changed([](VX_ITEM_DEF& d) { d.set_usb_vid(0); }), model, false},
      {"usb pid", changed([](VX_ITEM_DEF& d) { d.set_usb_pid(0x7a08); }), model, false},
      {"sub id", changed([](VX_ITEM_DEF& d) { d.set_sub_id(0x0a); }), model, false},
      {"vendor code", changed([](VX_ITEM_DEF& d) { d.set_vendor_code(0x4c); }), model, false},
      // 300 and 44 share the low byte, but a byte is never 300.
      {"model vid above a byte", changed([](VX_ITEM_DEF& d) { d.set_vendor_code(300 & 0xff); }),
       model_with([](MODEL_DEF& m) { m.vid = 300; }), false},
      {"model id above a byte", changed([](VX_ITEM_DEF& d) { d.set_sub_id(0x109 & 0xff); }),
       model_with([](MODEL_DEF& m) { m.model_id = 0x109; }), false},
      // The second catalogue entry of a kind 2 model has USB ids 0.
      {"usb ids 0 against a device with ids", DeviceOf(model),
       model_with([](MODEL_DEF& m) { m.usb_vid = m.usb_pid = 0; }), false},
      {"usb ids 0 against a device without", changed([](VX_ITEM_DEF& d) { d.set_usb_vid(0), d.set_usb_pid(0); }),
       model_with([](MODEL_DEF& m) { m.usb_vid = m.usb_pid = 0; }), true},
  };
  for (const auto& c : cases) EXPECT_EQ(tessaro::DeviceMatchesModel(c.device, c.model), c.matches) << c.what;
}

class DeviceDetectionTest : public ::testing::Test {
 protected:
  DeviceDetectionTest() {
    tessaro::Models().models = {first_, second_, first_variant_};
    tessaro::SettingsLoaded = 1;
  }
  // Runs one detection with these devices; returns the window's calls.
  Strings Detect(const std::vector<VX_ITEM_DEF>& devices) {
    fake_vxlib::Reset();
    fake_vxlib::SetDevices(devices);
    FakeMainWindow window;
    DetectDevices(window);
    return window.calls;
  }
  std::vector<int32_t> Connected() const {
    std::vector<int32_t> flags;
    for (const auto& model : tessaro::Models().models) flags.push_back(model.connected);
    return flags;
  }
  SettingsSandbox sandbox_;
  MODEL_DEF first_ = TestModel(0x01, 0x2103);
  MODEL_DEF second_ = TestModel(0x02, 0x2305);
  // A catalogue entry with the first model's identifiers under another name.
  MODEL_DEF first_variant_ = TestModel(0x01, 0x2104);
  const Strings changed_ = {"RebuildFunctionMenu", "RedrawModelLayer", "RestartTimer 1 80"};
  const Strings unchanged_ = {"RestartTimer 1 80"};
};

TEST_F(DeviceDetectionTest, SelectedModelStaysWhileConnectedAndFallsBackToTheFirst) {
  const VX_ITEM_DEF a = DeviceOf(first_), b = DeviceOf(second_);

  EXPECT_EQ(Detect({b, a}), changed_);
  EXPECT_EQ(tessaro::SelectedModel.load(), 0);
  EXPECT_EQ(tessaro::CurrentDevice.load(), 1);
  EXPECT_EQ(Connected(), (std::vector<int32_t>{1, 1, 1}));
  EXPECT_EQ(tessaro::MultipleModelsConnected.load(), 1);
  EXPECT_EQ(fake_vxlib::CallsNamed("VX_RefreshInfo").size(), 1u);

  tessaro::SelectedModel = 1;  // the user picks the second model
  EXPECT_EQ(Detect({a, b}), unchanged_);
  EXPECT_EQ(tessaro::SelectedModel.load(), 1);
  EXPECT_EQ(tessaro::CurrentDevice.load(), 1);
  EXPECT_TRUE(fake_vxlib::CallsNamed("VX_RefreshInfo").empty());

  EXPECT_EQ(Detect({a}), changed_);  // the second goes away
  EXPECT_EQ(tessaro::SelectedModel.load(), 0);
  EXPECT_EQ(tessaro::CurrentDevice.load(), 0);
  EXPECT_EQ(Connected(), (std::vector<int32_t>{1, 0, 1}));
  EXPECT_EQ(tessaro::MultipleModelsConnected.load(), 1);  // two catalogue entries, one device

  EXPECT_EQ(Detect({b}), changed_);
  EXPECT_EQ(tessaro::SelectedModel.load(), 1);
  EXPECT_EQ(tessaro::MultipleModelsConnected.load(), 0);
}

TEST_F(DeviceDetectionTest, WithoutDevicesNothingIsSelectedAndTheDeviceIndexStays) {
  const VX_ITEM_DEF other = DeviceOf(TestModel(0x30, 0x1));
  Detect({other, DeviceOf(second_)});
  ASSERT_EQ(tessaro::CurrentDevice.load(), 1);

  EXPECT_EQ(Detect({other}), changed_);
  EXPECT_EQ(tessaro::SelectedModel.load(), -1);
  EXPECT_EQ(tessaro::CurrentDevice.load(), 1);
  EXPECT_EQ(Connected(), (std::vector<int32_t>{0, 0, 0}));

  EXPECT_EQ(Detect({}), unchanged_);
  EXPECT_EQ(tessaro::SelectedModel.load(), -1);
}

TEST_F(DeviceDetectionTest, NothingHappensBeforeTheFirstSettingsLoad) {
  tessaro::SettingsLoaded = 0;
  tessaro::Models().models[1].connected = 1;
  EXPECT_EQ(Detect({DeviceOf(first_)}), Strings{});
  EXPECT_EQ(tessaro::SelectedModel.load(), -1);
  EXPECT_EQ(Connected(), (std::vector<int32_t>{0, 1, 0}));
}

TEST_F(DeviceDetectionTest, ASelectionBeyondTheCatalogueIsReplaced) {
  tessaro::SelectedModel = 7;
  EXPECT_EQ(Detect({DeviceOf(second_)}), changed_);
  EXPECT_EQ(tessaro::SelectedModel.load(), 1);
}

}  // namespace
