// ApplyButtonSetting keeps the list and the driver's triggers in step.
#include "device/button_setting.h"

#include <gtest/gtest.h>

#include "support/fake_vxlib.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::ApplyButtonSetting;
using tessaro::CopyButtonSettingList;
using namespace test_support;

std::vector<std::string> DriverOps() {
  std::vector<std::string> ops;
  for (const auto& call : fake_vxlib::Calls()) ops.push_back(call.op);
  return ops;
}

class ApplyButtonSettingTest : public ::testing::Test {
 protected:
  SettingsSandbox sandbox_;
  tessaro::MODEL_DEF model_ = TestModel(0x0d, 0x8106);
};

TEST_F(ApplyButtonSettingTest, ReplacingKeepsThePositionAndInstallsTheNewFunction) {
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 1), 3, u"Copy"));
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 2), 3, u"Cut"));
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 3), 3, u"Undo"));
  const auto second = Setting(ButtonTrigger(model_, 2), 7, u"Paste");
  ApplyButtonSetting(second);

  const auto list = CopyButtonSettingList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_TRUE(SameApartFromSlot(list[1], second));
  const auto installed = fake_vxlib::InstalledTriggers();
  ASSERT_EQ(installed.size(), 3u);
  EXPECT_TRUE(SameApartFromSlot(installed[1], second.trigger));
  // The driver replaces by identity: nothing is removed first.
  EXPECT_EQ(DriverOps(), std::vector<std::string>(4, "VX_SetTriggerEvent"));
}

TEST_F(ApplyButtonSettingTest, TypeNoneRemovesTheStoredTriggerWithItsOldFunction) {
  const auto stored = Setting(ButtonTrigger(model_, 4), 3, u"Copy", {1, 0x11, 0x43});
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 1), 3, u"Cut"));
  ApplyButtonSetting(stored);
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 4), tessaro::kNoAssignmentType, u"Default"));

  const auto removed = fake_vxlib::CallsNamed("VX_RemoveModelTriggerEvent");
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_TRUE(SameApartFromSlot(removed[0].trigger, stored.trigger));
  EXPECT_EQ(CopyButtonSettingList().size(), 1u);
  EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), 1u);
}

TEST_F(ApplyButtonSettingTest, TypeNoneForAnUnassignedButtonDoesNothing) {
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 1), 3, u"Cut"));
  ApplyButtonSetting(Setting(ButtonTrigger(model_, 2), tessaro::kNoAssignmentType, u"Default"));
  EXPECT_EQ(CopyButtonSettingList().size(), 1u);
  EXPECT_EQ(DriverOps(), std::vector<std::string>{"VX_SetTriggerEvent"});
}

TEST(ApplyButtonSetting, AnIndexOfTheListFindsWhatAWalkFinds) {
  const auto model = TestModel(0x0d, 0x8106);
  const tessaro::BUTTON_SETTING_DEF steps[] = {
      Setting(ButtonTrigger(model, 1), 3, u"Cut"),
      Setting(ButtonTrigger(model, 2), 3, u"Copy"),
      Setting(ButtonTrigger(model, 3), 3, u"Paste"),
      // A removal in the middle moves the entries after it...
      Setting(ButtonTrigger(model, 2), tessaro::kNoAssignmentType, u"Default"),
      // ...which are still found where they went.
      Setting(ButtonTrigger(model, 3), 5, u"Undo"),
      Setting(ButtonTrigger(model, 2), 6, u"Redo"),
      Setting(ButtonTrigger(model, 1), tessaro::kNoAssignmentType, u"Default"),
      Setting(ButtonTrigger(model, 2), 7, u"Zoom"),
  };
  std::vector<tessaro::BUTTON_SETTING_DEF> lists[2];
  std::vector<std::string> ops[2];
  for (int indexed = 0; indexed < 2; ++indexed) {
    SettingsSandbox sandbox;
    TriggerIdentityIndex index;
    for (const auto& step : steps) ApplyButtonSetting(step, indexed ? &index : nullptr);
    lists[indexed] = CopyButtonSettingList();
    ops[indexed] = DriverOps();
  }
  ASSERT_EQ(lists[1].size(), 2u);
  ASSERT_EQ(lists[0].size(), lists[1].size());
  for (size_t i = 0; i < lists[0].size(); ++i) EXPECT_TRUE(SameApartFromSlot(lists[0][i], lists[1][i])) << i;
  EXPECT_EQ(lists[1][0].trigger.function.type, 5);
  EXPECT_EQ(lists[1][1].trigger.function.type, 7);
  EXPECT_EQ(ops[0], ops[1]);
}

TEST(ApplyButtonSetting, IdentityIgnoresSlotSwapFunctionAndNameOnly) {
  const auto model = TestModel(0x0d, 0x8106);
  const auto base = Setting(ButtonTrigger(model, 3), 3, u"Copy");
  auto with = [&](auto change) {
    auto other = base;
    change(other.trigger);
    return other;
  };
  const tessaro::MODEL_DEF no_tilt = TestModel(0x08, 0x3306);
  struct Case {
    const char* what;
    tessaro::BUTTON_SETTING_DEF a, b;
    bool same;
  };
  const Case cases[] = {
      {"slot", base, with([](VX_TRIGGER_DEF& t) { t.slot = 77; }), true},
      {"swap45", base, with([](VX_TRIGGER_DEF& t) { t.swap45 = 1; }), true},
      {"function and name", base, Setting(ButtonTrigger(model, 3), 9, u"Other", {1, 2}), true},
      {"button bit", base, with([](VX_TRIGGER_DEF& t) { t.hid_button = 1u << 4; }), false},
      {"mouse mask", base, with([](VX_TRIGGER_DEF& t) { t.mouse_button = t.hid_button, t.hid_button = 0; }), false},
      {"model id", base, with([](VX_TRIGGER_DEF& t) { t.model_id++; }), false},
      {"pid", base, with([](VX_TRIGGER_DEF& t) { t.pid++; }), false},
      {"vid", base, with([](VX_TRIGGER_DEF& t) { t.vid++; }), false},
      {"usb vid", base, with([](VX_TRIGGER_DEF& t) { t.usb_vid++; }), false},
      {"usb pid", base, with([](VX_TRIGGER_DEF& t) { t.usb_pid++; }), false},
      {"tilt left against HID button 12", Setting(TiltTrigger(no_tilt, 1), 6, u"Left"),
       Setting(HidTrigger(no_tilt, 0xfa, 0xfa), 6, u"Up"), false},
      {"HID codes", Setting(HidTrigger(no_tilt, 0x21, 0x22), 2, u"A"),
       Setting(HidTrigger(no_tilt, 0x21, 0x23), 2, u"B"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsSandbox sandbox;
    ApplyButtonSetting(c.a);
    ApplyButtonSetting(c.b);
    const size_t expected = c.same ? 1 : 2;
    EXPECT_EQ(CopyButtonSettingList().size(), expected);
    EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), expected);
    EXPECT_TRUE(SameApartFromSlot(CopyButtonSettingList().back(), c.b));
  }
}

}  // namespace
