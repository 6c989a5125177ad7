// The shown model's reset: asked first, then the model's assignments leave
// the list, the driver library and the file.
#include "shell/controls_reset.h"

#include <gtest/gtest.h>

#include "catalog/settings_store.h"
#include "device/device_detection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::MODEL_DEF;
using namespace test_support;
using Strings = std::vector<std::string>;

class ResetTest : public ::testing::Test {
 protected:
  ResetTest() {
    tessaro::Models().models = {shown_, other_};
    tessaro::Models().models[0].connected = 1;
    tessaro::SelectedModel = 0;
    tessaro::SettingsLoaded = 1;
  }

  // Asks, counting the questions, and answers `yes`.
  bool Reset(bool yes) {
    return tessaro::ResetShownModel(
        [&] {
          ++questions_;
          return yes;
        },
        window_);
  }

  Strings Names() {
    Strings names;
    for (const auto& entry : tessaro::CopyButtonSettingList()) {
      const std::u16string name(entry.function_name);
      names.emplace_back(name.begin(), name.end());
    }
    return names;
  }

  SettingsSandbox sandbox_;
  MODEL_DEF shown_ = TestModel(0x10, 0x2103, 0x4b, 0x3a7c, 0x7a10, 2);
  // Differs from the shown model only in its USB product id.
  MODEL_DEF other_ = TestModel(0x10, 0x2103, 0x4b, 0x3a7c, 0x7a11, 2);
  FakeMainWindow window_;
  int questions_ = 0;
};

TEST_F(ResetTest, WithoutEntriesItAsksThenNeitherSavesNorRebuilds) {
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(other_, 3), 3, u"Copy"));
  EXPECT_FALSE(Reset(true));
  EXPECT_EQ(questions_, 1);
  EXPECT_EQ(window_.calls, Strings{});
  EXPECT_FALSE(sandbox_.SettingsFileExists());
  EXPECT_TRUE(fake_vxlib::CallsNamed("VX_RemoveModelTriggerEvent").empty());
  EXPECT_EQ(Names(), Strings{"Copy"});
}

TEST_F(ResetTest, YesRemovesTheModelsEntriesLastFirstSavesAndRebuilds) {
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(shown_, 1), 3, u"Copy"));
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(other_, 1), 3, u"Paste"));
  tessaro::ApplyButtonSetting(Setting(HidTrigger(shown_, 0xfa, 0xfb), 6, u"Scroll up"));
  tessaro::ApplyButtonSetting(Setting(TiltTrigger(shown_, 2), 3, u"Cut"));

  EXPECT_TRUE(Reset(true));
  EXPECT_EQ(questions_, 1);
  EXPECT_EQ(Names(), Strings{"Paste"});
  const auto removed = fake_vxlib::CallsNamed("VX_RemoveModelTriggerEvent");
  ASSERT_EQ(removed.size(), 3u);
  EXPECT_EQ(removed[0].trigger.tilt_mask, 2);
  EXPECT_EQ(removed[1].trigger.hid_num_down, 0xfa);
  EXPECT_EQ(removed[2].trigger.hid_button, 1u << 1);
  EXPECT_EQ(removed[2].trigger.function.type, 3);  // the stored trigger, function and all
  ASSERT_EQ(fake_vxlib::InstalledTriggers().size(), 1u);
  EXPECT_EQ(fake_vxlib::InstalledTriggers()[0].usb_pid, 0x7a11u);

  const std::string file = sandbox_.ReadSettingsFile();
  EXPECT_NE(file.find("Paste"), std::string::npos);
  EXPECT_EQ(file.find("Copy"), std::string::npos);
  EXPECT_EQ(file.find("Scroll up"), std::string::npos);
  // The marker column shows the change; a refresh brings the model's HID
  // defaults back.
  EXPECT_EQ(window_.calls, (Strings{"RebuildFunctionMenu", "RestartTimer 2 30"}));
}

TEST_F(ResetTest, NoOrAModelNotShownChangesNothing) {
  const struct {
    const char* what;
    int32_t selected;
    int32_t connected;
    bool yes;
    int questions;
  } cases[] = {
      {"answered no", 0, 1, false, 1},
      {"not connected", 0, 0, true, 0},
      {"no model shown", -1, 1, true, 0},
      {"beyond the catalogue", 2, 1, true, 0},
  };
  tessaro::ApplyButtonSetting(Setting(ButtonTrigger(shown_, 1), 3, u"Copy"));
  for (const auto& c : cases) {
    questions_ = 0;
    tessaro::SelectedModel = c.selected;
    tessaro::Models().models[0].connected = c.connected;
    fake_vxlib::Reset();
    EXPECT_FALSE(Reset(c.yes)) << c.what;
    EXPECT_EQ(questions_, c.questions) << c.what;
    EXPECT_EQ(Names(), Strings{"Copy"}) << c.what;
    EXPECT_TRUE(fake_vxlib::Calls().empty()) << c.what;
    EXPECT_EQ(window_.calls, Strings{}) << c.what;
    EXPECT_FALSE(sandbox_.SettingsFileExists()) << c.what;
  }
}

}  // namespace
