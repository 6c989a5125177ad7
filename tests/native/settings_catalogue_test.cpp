// A real settings file over the model package the program embeds: the
// driver ends up with exactly the expected triggers, in order.
#include <gtest/gtest.h>

#include <cstring>

#include "catalog/language_table.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/settings_sandbox.h"

namespace {

using namespace test_support;

// Button 3 of the Kesto 7 receiver, tilt left of model 6, the second HID
// button of model 9 (its default replaced), an entry without a function
// (skipped), a custom key on the type 254 model 10, and "Default" for the
// first HID button of model 17 (its default removed).
constexpr char kSettingsFile[] =
    R"({"language id":"1033","setting_ver":"2","slowdown enable":"1","slowdown modifier":"3","trigger_setting":[)"
    R"({"event":{"hid_button":"0x08","hid_num_down":"0","hid_num_up":"0","model_id":"13","mouse_button":"0x00",)"
    R"("pid":"33030","swap45":"0","tilt_mask":"0","usb_pid":"0x0000","usb_vid":"0x0000","vid":"75"},)"
    R"("function_define":{"press":["0x01","0x11","0x43"],"release":["0x00"],"type":"3","url":""},)"
    R"("function_name":"Copy"},)"
    R"({"event":{"hid_button":"0x00","hid_num_down":"0","hid_num_up":"0","model_id":"6","mouse_button":"0x00",)"
    R"("pid":"20741","swap45":"0","tilt_mask":"1","usb_pid":"0x0000","usb_vid":"0x0000","vid":"75"},)"
    R"("function_define":{"press":["0x01","0xa6"],"release":["0x00"],"type":"7","url":""},)"
    R"("function_name":"Browser back"},)"
    R"({"event":{"hid_button":"0x00","hid_num_down":"35","hid_num_up":"36","model_id":"9","mouse_button":"0x00",)"
    R"("pid":"13320","swap45":"0","tilt_mask":"0","usb_pid":"0x7a09","usb_vid":"0x3a7c","vid":"75"},)"
    R"("function_define":{"press":["0x01","0x11","0x5a"],"release":["0x00","0x5a","0x11"],"type":"2","url":""},)"
    R"("function_name":"Undo"},)"
    R"({"event":{"hid_button":"0x04","model_id":"13","pid":"33030","vid":"75"},"function_name":"Cut"},)"
    R"({"event":{"hid_button":"0x00","hid_num_down":"0","hid_num_up":"0","model_id":"10","mouse_button":"0x10",)"
    R"("pid":"24837","swap45":"0","tilt_mask":"0","usb_pid":"0x0000","usb_vid":"0x0000","vid":"75"},)"
    R"("function_define":{"press":["0x01","0x11","0x10","0x74"],"release":["0x00","0x74","0x11","0x10"],)"
    R"("type":"2","url":""},"function_name":"Ctrl + Shift + F5"},)"
    R"({"event":{"hid_button":"0x00","hid_num_down":"49","hid_num_up":"50","model_id":"17","mouse_button":"0x00",)"
    R"("pid":"13574","swap45":"0","tilt_mask":"0","usb_pid":"0x7a11","usb_vid":"0x3a7c","vid":"75"},)"
    R"("function_define":{"press":["0x00"],"release":["0x00"],"type":"255","url":""},"function_name":"Default"}]})";

struct Expected {
  uint16_t model_id, pid;
  uint32_t usb_vid, usb_pid, hid_button, mouse_button;
  uint8_t down, up, tilt, type;
  uint16_t slot;
  const char* name;
};

// Catalogue order: a kind 2 model with USB ids is followed by its copy
// without them, then comes its Bluetooth edition. Defaults have slot
// 3000 + 12 x catalogue index + HID entry.
constexpr Expected kTriggers[] = {
    {0x08, 0x3306, 0x3a7c, 0x7a08, 0, 0, 0xfa, 0xfa, 0, 6, 3204, "Scroll up"},  // model 17
    {0x08, 0x3306, 0x3a7c, 0x7a08, 0, 0, 0xfc, 0xfc, 0, 6, 3205, "Scroll down"},
    {0x08, 0x3306, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 3216, "Scroll up"},  // 18
    {0x08, 0x3306, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 3217, "Scroll down"},
    {0x08, 0xb008, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 3228, "Scroll up"},  // 19
    {0x08, 0xb008, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 3229, "Scroll down"},
    {0x09, 0x3408, 0x3a7c, 0x7a09, 0, 0, 0x21, 0x22, 0, 2, 3240, "Copy"},  // 20
    {0x09, 0x3408, 0x3a7c, 0x7a09, 0, 0, 0x23, 0x24, 0, 2, 2, "Undo"},     // stored, in place
    {0x09, 0x3408, 0, 0, 0, 0, 0x21, 0x22, 0, 2, 3252, "Copy"},            // 21
    {0x09, 0x3408, 0, 0, 0, 0, 0x23, 0x24, 0, 2, 3253, "Paste"},
    {0x09, 0xb009, 0, 0, 0, 0, 0x21, 0x22, 0, 2, 3264, "Copy"},  // 22
    {0x09, 0xb009, 0, 0, 0, 0, 0x23, 0x24, 0, 2, 3265, "Paste"},
    {0x11, 0x3506, 0x3a7c, 0x7a11, 0, 0, 0x33, 0x34, 0, 2, 3457, "Task view"},  // 38, first removed
    {0x11, 0x3506, 0x3a7c, 0x7a11, 0, 0, 0x35, 0x36, 0, 3, 3458, "Volume down"},
    {0x11, 0x3506, 0x3a7c, 0x7a11, 0, 0, 0x37, 0x38, 0, 3, 3459, "Volume up"},
    {0x11, 0x3506, 0, 0, 0, 0, 0x31, 0x32, 0, 8, 3468, "Show desktop"},  // 39
    {0x11, 0x3506, 0, 0, 0, 0, 0x33, 0x34, 0, 2, 3469, "Task view"},
    {0x11, 0x3506, 0, 0, 0, 0, 0x35, 0x36, 0, 3, 3470, "Volume down"},
    {0x11, 0x3506, 0, 0, 0, 0, 0x37, 0x38, 0, 3, 3471, "Volume up"},
    {0x11, 0xb011, 0, 0, 0, 0, 0x31, 0x32, 0, 8, 3480, "Show desktop"},  // 40
    {0x11, 0xb011, 0, 0, 0, 0, 0x33, 0x34, 0, 2, 3481, "Task view"},
    {0x11, 0xb011, 0, 0, 0, 0, 0x35, 0x36, 0, 3, 3482, "Volume down"},
    {0x11, 0xb011, 0, 0, 0, 0, 0x37, 0x38, 0, 3, 3483, "Volume up"},
    {0x1b, 0x3608, 0x3a7c, 0x7a1b, 0, 0, 0xfa, 0xfa, 0, 7, 3744, "Scroll left"},  // 62
    {0x1b, 0x3608, 0x3a7c, 0x7a1b, 0, 0, 0xfc, 0xfc, 0, 7, 3745, "Scroll right"},
    {0x1b, 0x3608, 0, 0, 0, 0, 0xfa, 0xfa, 0, 7, 3756, "Scroll left"},  // 63
    {0x1b, 0x3608, 0, 0, 0, 0, 0xfc, 0xfc, 0, 7, 3757, "Scroll right"},
    {0x1b, 0xb01b, 0, 0, 0, 0, 0xfa, 0xfa, 0, 7, 3768, "Scroll left"},  // 64
    {0x1b, 0xb01b, 0, 0, 0, 0, 0xfc, 0xfc, 0, 7, 3769, "Scroll right"},
    {0x1c, 0x3705, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 3780, "Scroll up"},  // 65
    {0x1c, 0x3705, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 3781, "Scroll down"},
    {0x1c, 0xb01c, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 3792, "Scroll up"},  // 66
    {0x1c, 0xb01c, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 3793, "Scroll down"},
    {0x24, 0x9410, 0, 0, 0, 0, 0x41, 0x42, 0, 3, 3996, "Play/Pause"},  // 83
    {0x24, 0x9410, 0, 0, 0, 0, 0x43, 0x44, 0, 3, 3997, "Mute"},
    {0x24, 0xb024, 0, 0, 0, 0, 0x41, 0x42, 0, 3, 4008, "Play/Pause"},  // 84
    {0x24, 0xb024, 0, 0, 0, 0, 0x43, 0x44, 0, 3, 4009, "Mute"},
    {0x25, 0x3807, 0x3a7c, 0x7a25, 0, 0, 0x51, 0x52, 0, 2, 4020, "Copy"},  // 85
    {0x25, 0x3807, 0x3a7c, 0x7a25, 0, 0, 0x53, 0x54, 0, 2, 4021, "Paste"},
    {0x25, 0x3807, 0x3a7c, 0x7a25, 0, 0, 0x55, 0x56, 0, 8, 4022, "Screenshot"},
    {0x25, 0x3807, 0, 0, 0, 0, 0x51, 0x52, 0, 2, 4032, "Copy"},  // 86
    {0x25, 0x3807, 0, 0, 0, 0, 0x53, 0x54, 0, 2, 4033, "Paste"},
    {0x25, 0x3807, 0, 0, 0, 0, 0x55, 0x56, 0, 8, 4034, "Screenshot"},
    {0x25, 0xb025, 0x3a7c, 0xb807, 0, 0, 0x51, 0x52, 0, 2, 4044, "Copy"},  // 87
    {0x25, 0xb025, 0x3a7c, 0xb807, 0, 0, 0x53, 0x54, 0, 2, 4045, "Paste"},
    {0x25, 0xb025, 0x3a7c, 0xb807, 0, 0, 0x55, 0x56, 0, 8, 4046, "Screenshot"},
    {0x26, 0x3905, 0, 0, 0, 0, 0x61, 0x62, 0, 3, 4056, "Previous track"},  // 88
    {0x26, 0x3905, 0, 0, 0, 0, 0x63, 0x64, 0, 3, 4057, "Next track"},
    {0x26, 0x3905, 0, 0, 0, 0, 0x65, 0x66, 0, 3, 4058, "Volume down"},
    {0x26, 0x3905, 0, 0, 0, 0, 0x67, 0x68, 0, 3, 4059, "Volume up"},
    {0x26, 0x3905, 0, 0, 0, 0, 0x69, 0x69, 0, 3, 4060, "Play/Pause"},
    {0x26, 0x3905, 0, 0, 0, 0, 0x6a, 0x6a, 0, 3, 4061, "Mute"},
    {0x26, 0xb026, 0, 0, 0, 0, 0x61, 0x62, 0, 3, 4068, "Previous track"},  // 89
    {0x26, 0xb026, 0, 0, 0, 0, 0x63, 0x64, 0, 3, 4069, "Next track"},
    {0x26, 0xb026, 0, 0, 0, 0, 0x65, 0x66, 0, 3, 4070, "Volume down"},
    {0x26, 0xb026, 0, 0, 0, 0, 0x67, 0x68, 0, 3, 4071, "Volume up"},
    {0x26, 0xb026, 0, 0, 0, 0, 0x69, 0x69, 0, 3, 4072, "Play/Pause"},
    {0x26, 0xb026, 0, 0, 0, 0, 0x6a, 0x6a, 0, 3, 4073, "Mute"},
    {0x2e, 0x1607, 0x3a7c, 0x7a2e, 0, 0, 0xfa, 0xfa, 0, 6, 4272, "Scroll up"},  // 106
    {0x2e, 0x1607, 0x3a7c, 0x7a2e, 0, 0, 0xfc, 0xfc, 0, 6, 4273, "Scroll down"},
    {0x2e, 0x1607, 0x3a7c, 0x7a2e, 0, 0, 0x71, 0x72, 0, 8, 4274, "Screenshot"},
    {0x2e, 0x1607, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 4284, "Scroll up"},  // 107
    {0x2e, 0x1607, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 4285, "Scroll down"},
    {0x2e, 0x1607, 0, 0, 0, 0, 0x71, 0x72, 0, 8, 4286, "Screenshot"},
    {0x2e, 0xb02e, 0, 0, 0, 0, 0xfa, 0xfa, 0, 6, 4296, "Scroll up"},  // 108
    {0x2e, 0xb02e, 0, 0, 0, 0, 0xfc, 0xfc, 0, 6, 4297, "Scroll down"},
    {0x2e, 0xb02e, 0, 0, 0, 0, 0x71, 0x72, 0, 8, 4298, "Screenshot"},
    {0x0d, 0x8106, 0, 0, 0x08, 0, 0, 0, 0, 3, 0, "Copy"},  // stored
    {0x06, 0x5105, 0, 0, 0, 0, 0, 0, 1, 7, 1, "Browser back"},
    {0x0a, 0x6105, 0, 0, 0, 0x10, 0, 0, 0, 2, 4, "Ctrl + Shift + F5"},
};

TEST(SettingsWithCatalogue, RealFileProgramsTheExpectedTriggersInOrder) {
  SettingsSandbox sandbox;
  tessaro::LanguageId = 1033;
  tessaro::Models().Load(tessaro::Utf8ToUtf16(TESSARO_PACKAGE_DIR "/model.pkg"), nullptr, 0);
  ASSERT_FALSE(tessaro::Models().models.empty());
  sandbox.WriteSettingsFile(kSettingsFile);
  RecordingSettingsView view;
  tessaro::LoadButtonSettings(view);

  const auto installed = fake_vxlib::InstalledTriggers();
  const auto list = tessaro::CopyButtonSettingList();
  ASSERT_EQ(installed.size(), std::size(kTriggers));
  ASSERT_EQ(list.size(), std::size(kTriggers));
  for (size_t i = 0; i < std::size(kTriggers); ++i) {
    SCOPED_TRACE(i);
    const Expected& e = kTriggers[i];
    const VX_TRIGGER_DEF& t = installed[i];
    EXPECT_EQ(t.model_id, e.model_id);
    EXPECT_EQ(t.pid, e.pid);
    EXPECT_EQ(t.vid, 0x4b);
    EXPECT_EQ(t.usb_vid, e.usb_vid);
    EXPECT_EQ(t.usb_pid, e.usb_pid);
    EXPECT_EQ(t.hid_button, e.hid_button);
    EXPECT_EQ(t.mouse_button, e.mouse_button);
    EXPECT_EQ(t.hid_num_down, e.down);
    EXPECT_EQ(t.hid_num_up, e.up);
    EXPECT_EQ(t.tilt_mask, e.tilt);
    EXPECT_EQ(t.function.type, e.type);
    EXPECT_EQ(t.slot, e.slot);
    EXPECT_EQ(std::memcmp(&list[i].trigger, &t, sizeof t), 0);
    EXPECT_EQ(tessaro::Utf16ToUtf8(list[i].function_name), e.name);
  }
  const auto removed = fake_vxlib::CallsNamed("VX_RemoveModelTriggerEvent");
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].trigger.slot, 3456);
  EXPECT_EQ(fake_vxlib::SlowdownModifier(), 3);
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"ShowSlowdown 1 3", "InvalidateWindow", "StopRepaintTimer", "InvalidateWindow"}));
}

}  // namespace
