// The driver library's events reach detection, timers, the popup list and
// the key capture dialog.
#include "device/driver_events.h"

#include <gtest/gtest.h>

#include <map>

#include "catalog/settings_store.h"
#include "device/device_detection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"

namespace {

using tessaro::DriverEventTargets;
using namespace test_support;
using Strings = std::vector<std::string>;

// A window tree by parent links; windows are just distinct addresses.
class FakePopup : public tessaro::PopupListWindows {
 public:
  bool PopupListExists() override { return exists; }
  void HidePopupList() override { ++hidden; }
  void* MainWindow() override { return main; }
  void* ParentWindow(void* window) override {
    const auto found = parents.find(window);
    return found == parents.end() ? nullptr : found->second;
  }
  bool exists = true;
  int hidden = 0;
  void* main = nullptr;
  std::map<void*, void*> parents;
};

class FakeKeyCapture : public tessaro::KeyCaptureInput {
 public:
  bool KeyCaptureVisible() override { return visible; }
  void KeyCaptureKey(int32_t virtual_key, int32_t scan_code, int32_t key_down) override {
    keys.push_back({virtual_key, scan_code, key_down});
  }
  bool visible = false;
  std::vector<std::vector<int32_t>> keys;
};

class DriverEventsTest : public ::testing::Test {
 protected:
  DriverEventsTest() {
    popup_.main = &windows_[0];
    popup_.parents = {{&windows_[1], &windows_[0]}, {&windows_[2], &windows_[1]}, {&windows_[4], &windows_[3]}};
    tessaro::Models().models = {TestModel(0x01, 0x2103)};
    tessaro::SettingsLoaded = 1;
  }
  void Send(int32_t kind, void* data = nullptr) { tessaro::HandleDriverEvent({kind, 0, data}, targets_); }

  SettingsSandbox sandbox_;
  FakeMainWindow window_;
  FakePopup popup_;
  FakeKeyCapture keys_;
  DriverEventTargets targets_{window_, popup_, keys_};
  // 0 the main window, 1 the popup list below it, 2 its sub-list,
  // 3 another program's window, 4 a child of that.
  char windows_[5] = {};
};

TEST_F(DriverEventsTest, ABurstOfDevicesReadyMakesOneScanAfterTheLast) {
  for (int i = 0; i < 4; ++i) {
    Send(VX_EVENT_DEVICES_READY);
    window_.Advance(20);
  }
  EXPECT_TRUE(window_.fired.empty());
  window_.Advance(100);
  EXPECT_EQ(window_.fired, (std::vector<FakeMainWindow::Fired>{{tessaro::kDeviceScanTimer, 60 + 30}}));
}

TEST_F(DriverEventsTest, DeviceEventsRunDetection) {
  fake_vxlib::SetDevices({});
  for (const int32_t kind : {VX_EVENT_DEVICE_ARRIVED, VX_EVENT_DEVICE_REMOVED}) {
    window_.calls.clear();
    Send(kind);
    EXPECT_EQ(window_.calls, Strings{"RestartTimer 1 80"}) << kind;
  }
  // Kind 6 redraws the model picture even when the model stays the same.
  window_.calls.clear();
  Send(VX_EVENT_DEVICE_CHANGED);
  EXPECT_EQ(window_.calls, (Strings{"RestartTimer 1 80", "RedrawModelLayer", "InvalidateWindow"}));
}

TEST_F(DriverEventsTest, WindowActivationClosesThePopupListUnlessBelowTheMainWindow) {
  struct Case {
    const char* what;
    int window;  // index into windows_, -1: null
    bool exists;
    int hidden;
  };
  const Case cases[] = {
      {"another program's window", 3, true, 1}, {"a child of another program's window", 4, true, 1},
      {"the popup list", 1, true, 0},           {"the popup list's sub-list", 2, true, 0},
      {"the main window itself", 0, true, 1},   {"no window", -1, true, 1},
      {"no popup list", 3, false, 0},
  };
  for (const auto& c : cases) {
    popup_.exists = c.exists;
    popup_.hidden = 0;
    VX_EVENT_WINDOW data{0, u"C:\\x.exe", c.window < 0 ? nullptr : &windows_[c.window]};
    Send(VX_EVENT_WINDOW_ACTIVATED, &data);
    EXPECT_EQ(popup_.hidden, c.hidden) << c.what;
  }
}

TEST_F(DriverEventsTest, AParentChainThatLoopsEndsAndCloses) {
  popup_.parents = {{&windows_[3], &windows_[4]}, {&windows_[4], &windows_[3]}};
  VX_EVENT_WINDOW data{0, nullptr, &windows_[3]};
  Send(VX_EVENT_WINDOW_ACTIVATED, &data);
  EXPECT_EQ(popup_.hidden, 1);
}

TEST_F(DriverEventsTest, KeysReachTheKeyCaptureOnlyWhileVisible) {
  VX_EVENT_KEY key{0, 0xA3, 0xE01D, 1};
  Send(VX_EVENT_KEY_INPUT, &key);
  EXPECT_TRUE(keys_.keys.empty());
  keys_.visible = true;
  Send(VX_EVENT_KEY_INPUT, &key);
  EXPECT_EQ(keys_.keys, (std::vector<std::vector<int32_t>>{{0xA3, 0xE01D, 1}}));
}

TEST_F(DriverEventsTest, StateOneStopsTheRefreshInfoTimer) {
  VX_EVENT_STATE state{0};
  Send(VX_EVENT_STATE_CHANGED, &state);
  EXPECT_TRUE(window_.calls.empty());
  state.state = 1;
  Send(VX_EVENT_STATE_CHANGED, &state);
  EXPECT_EQ(window_.calls, Strings{"StopTimer 900"});
}

TEST_F(DriverEventsTest, OtherKindsAndMissingDataChangeNothing) {
  keys_.visible = true;
  for (const int32_t kind : std::initializer_list<int32_t>{VX_EVENT_IDLE, 1, 3, 12, 99, -1, VX_EVENT_WINDOW_ACTIVATED,
                                                           VX_EVENT_STATE_CHANGED, VX_EVENT_KEY_INPUT})
    Send(kind);
  EXPECT_TRUE(window_.calls.empty());
  EXPECT_EQ(popup_.hidden, 0);
  EXPECT_TRUE(keys_.keys.empty());
}

TEST_F(DriverEventsTest, TheCallbackGivenToTheLibraryDispatchesToInstalledTargets) {
  VX_InitLib(tessaro::DriverEventCallback, nullptr, 0);
  fake_vxlib::Callback()({VX_EVENT_DEVICES_READY, 0, nullptr});
  EXPECT_TRUE(window_.calls.empty());
  tessaro::SetDriverEventTargets(&targets_);
  fake_vxlib::Callback()({VX_EVENT_DEVICES_READY, 0, nullptr});
  tessaro::SetDriverEventTargets(nullptr);
  fake_vxlib::Callback()({VX_EVENT_DEVICES_READY, 0, nullptr});
  EXPECT_EQ(window_.calls, Strings{"RestartTimer 2 30"});
}

}  // namespace
