// Menu choices applying and saving while device refreshes reload the
// settings: no change is lost and every file is one whole document. Run
// under ThreadSanitizer too (scripts/test.sh).
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <nlohmann/json.hpp>
#include <thread>

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/device_detection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"
#include "trigger_identity.h"

namespace {

using namespace test_support;

constexpr int kMenuThreads = 3;
constexpr int kRefreshThreads = 2;
constexpr int kChoices = 40;

TEST(SettingsStress, MenuChoicesDuringRefreshesAreNeverLost) {
  SettingsSandbox sandbox;
  auto hid_model = TestModel(0x09, 0x3408);
  AddHidDefault(hid_model, 0x21, 0x22, 2, u"Copy", {1, 0x11, 0x43});
  AddHidDefault(hid_model, 0x23, 0x24, 2, u"Paste", {1, 0x11, 0x56});
  tessaro::Models().models = {TestModel(1, 0x2103), TestModel(2, 0x2305), hid_model};
  VX_ITEM_DEF device{};
  device.set_type(1);
  device.set_sub_id(2);
  device.set_vendor_code(0x4b);
  fake_vxlib::SetDevices({device});
  RecordingSettingsView first_view;
  tessaro::LoadButtonSettings(first_view);  // menu choices come after the first load

  // Thread t chooses functions for model t's buttons; the last thread also
  // replaces the HID defaults. The URL tells which choice a record was.
  auto choice = [&](int thread, int n) {
    const auto& model = tessaro::Models().models[thread];
    const auto url = tessaro::Utf8ToUtf16(std::to_string(n));
    if (thread == 2 && n % 3 == 0)
      return Setting(HidTrigger(model, 0x21 + 2 * (n % 2), 0x22 + 2 * (n % 2)), 3, u"Hid", {1, 2}, {}, url);
    return Setting(ButtonTrigger(model, 1 + n % 11), 3, u"Button", {1, 2}, {}, url);
  };

  std::atomic<int> menus_running{kMenuThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kMenuThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int n = 0; n < kChoices; ++n) {
        const tessaro::SettingsChange change;
        tessaro::ApplyButtonSetting(choice(t, n));
        EXPECT_TRUE(tessaro::SaveButtonSettings());
      }
      --menus_running;
    });
  }
  threads.emplace_back([&] {  // the slowdown hotkey captured again and again
    for (int m = 1; m <= 15; ++m) {
      const tessaro::SettingsChange change;
      tessaro::SlowdownModifier = m;
      EXPECT_TRUE(tessaro::SaveButtonSettings());
    }
  });
  for (int r = 0; r < kRefreshThreads; ++r) {
    threads.emplace_back([&] {
      RecordingSettingsView view;
      FakeMainWindow window;
      while (menus_running.load() > 0) {
        tessaro::LoadButtonSettings(view);
        tessaro::DetectDevices(window);
        // A load may be rebuilding the list meanwhile, but it never holds
        // two entries for one button.
        const auto list = tessaro::CopyButtonSettingList();
        for (size_t i = 0; i < list.size(); ++i)
          for (size_t j = i + 1; j < list.size(); ++j)
            EXPECT_FALSE(SameTriggerIdentity(list[i].trigger, list[j].trigger)) << i << " " << j;
      }
    });
  }
  for (auto& thread : threads) thread.join();

  // Every identity holds its last choice, in the file and after a load.
  std::map<std::string, std::string> expected;  // "thread kind button" -> URL
  for (int t = 0; t < kMenuThreads; ++t)
    for (int n = 0; n < kChoices; ++n) {
      const auto setting = choice(t, n);
      const auto& trigger = setting.trigger;
      expected[std::to_string(trigger.model_id) + " " + std::to_string(trigger.hid_button) + " " +
               std::to_string(trigger.hid_num_down)] = std::to_string(n);
    }
  RecordingSettingsView view;
  tessaro::LoadButtonSettings(view);
  std::map<std::string, std::string> loaded;
  for (const auto& setting : tessaro::CopyButtonSettingList()) {
    const auto& trigger = setting.trigger;
    loaded[std::to_string(trigger.model_id) + " " + std::to_string(trigger.hid_button) + " " +
           std::to_string(trigger.hid_num_down)] = tessaro::Utf16ToUtf8(trigger.function.url);
  }
  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(tessaro::SlowdownModifier.load(), 15);
  EXPECT_NO_THROW(nlohmann::json::parse(sandbox.ReadSettingsFile()));
  EXPECT_EQ(sandbox.FolderEntries(), std::vector<std::string>{"buttonSetting.json"});
}

}  // namespace
