// The driver library's simulation as the program meets it: events on the
// thread that called VX_InitLib, the scenario's devices, the control pipe.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "tools/vxctl/pipe_client_win.h"
#include "vxlib.h"

namespace {

namespace fs = std::filesystem;

struct Received {
  int kind;
  DWORD thread;
  int devices_seen;  // VX_GetDeviceCount inside the callback
  uintptr_t window = 0;
  int state = 0;
  VX_EVENT_KEY key{};
};

std::mutex received_mutex;
std::vector<Received> received;

void OnEvent(VX_CALLBACK_EVENT event) {
  Received r{event.kind, GetCurrentThreadId(), VX_GetDeviceCount()};
  if (event.kind == VX_EVENT_WINDOW_ACTIVATED)
    r.window = reinterpret_cast<uintptr_t>(static_cast<const VX_EVENT_WINDOW*>(event.data)->window);
  if (event.kind == VX_EVENT_STATE_CHANGED) r.state = static_cast<const VX_EVENT_STATE*>(event.data)->state;
  if (event.kind == VX_EVENT_KEY_INPUT) r.key = *static_cast<const VX_EVENT_KEY*>(event.data);
  std::lock_guard lock(received_mutex);
  received.push_back(r);
}

std::vector<Received> Events() {
  std::lock_guard lock(received_mutex);
  return received;
}

std::vector<int> Kinds() {
  std::vector<int> kinds;
  for (const auto& r : Events()) kinds.push_back(r.kind);
  return kinds;
}

void ClearEvents() {
  std::lock_guard lock(received_mutex);
  received.clear();
}

// Runs this thread's message loop until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 3000) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

size_t ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  size_t count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

nlohmann::json Command(vxctl::PipeClient& client, const std::string& line) {
  const auto reply = client.Request(line);
  if (!reply) return nullptr;
  return nlohmann::json::parse(*reply);
}

const char kScenario[] = R"({"devices": [{"name": "Test mouse", "type": 2, "unit_index": 2,
  "unit_active": [0, 0, 1], "vendor_code": "0x2b", "sub_id": 51, "usb_vid": "0x1d57",
  "usb_pid": "0xfa60", "handle": 4097}]})";

// Each test starts the library with a scenario of one device, named by
// VXLIB_SCENARIO, and frees it at the end.
class VxlibSim : public testing::Test {
 protected:
  void SetUp() override {
    ClearEvents();
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    scenario_ = fs::path(temp) / ("vxlib-scenario-" + std::to_string(GetCurrentProcessId()) + ".json");
    WriteScenario(kScenario);
  }
  void TearDown() override {
    VX_FreeLib();
    SetEnvironmentVariableW(L"VXLIB_SCENARIO", nullptr);
    fs::remove(scenario_);
  }

  void WriteScenario(const std::string& text) {
    std::ofstream(scenario_, std::ios::binary) << text;
    SetEnvironmentVariableW(L"VXLIB_SCENARIO", scenario_.wstring().c_str());
  }

  // VX_InitLib on this thread and its first event.
  void Start() {
    ASSERT_EQ(VX_InitLib(OnEvent, nullptr, 0), 1);
    ASSERT_TRUE(PumpUntil([] { return !Events().empty(); }));
    ASSERT_EQ(Kinds(), std::vector<int>{VX_EVENT_DEVICES_READY});
    ClearEvents();
  }

  vxctl::PipeClient Connect() {
    auto client = vxctl::PipeClient::Connect(GetCurrentProcessId(), 3000);
    EXPECT_TRUE(client);
    return std::move(*client);
  }

  fs::path scenario_;
};

TEST_F(VxlibSim, KindFourOnceOnTheInitThreadFromItsLoop) {
  DWORD ui_thread = 0;
  std::vector<int> before_loop;
  std::thread ui([&] {
    ui_thread = GetCurrentThreadId();
    VX_InitLib(OnEvent, nullptr, 0);
    Sleep(100);
    before_loop = Kinds();
    PumpFor(500);
    VX_FreeLib();
  });
  ui.join();
  EXPECT_TRUE(before_loop.empty()) << "delivered before the thread ran its message loop";
  const auto events = Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, VX_EVENT_DEVICES_READY);
  EXPECT_EQ(events[0].thread, ui_thread);
  EXPECT_EQ(events[0].devices_seen, 1) << "the scenario's device is listed when kind 4 arrives";
}

TEST_F(VxlibSim, DeviceRecordCarriesTheScenarioAtItsOffsets) {
  Start();
  ASSERT_EQ(VX_GetDeviceCount(), 1);
  const VX_ITEM_DEF item = VX_GetDeviceInfoByIndex(0);
  auto u32 = [&](size_t offset) {
    uint32_t v;
    std::memcpy(&v, item.bytes + offset, sizeof v);
    return v;
  };
  EXPECT_EQ(u32(0), 2u);
  EXPECT_EQ(item.bytes[4], 2);
  EXPECT_EQ(item.bytes[6], 0x2b);
  EXPECT_EQ(item.bytes[10], 51);
  EXPECT_EQ(u32(28), 0xfa60u);
  EXPECT_EQ(u32(32), 0x1d57u);
  EXPECT_EQ(u32(40), 4097u);
  EXPECT_EQ(item.bytes[125 + 20 * 2], 1);
  EXPECT_EQ(item.release_routine(), nullptr);

  const VX_ITEM_DEF zero{};
  for (int index : {-1, 1, 1000}) {
    const VX_ITEM_DEF none = VX_GetDeviceInfoByIndex(index);
    EXPECT_EQ(std::memcmp(none.bytes, zero.bytes, sizeof zero.bytes), 0) << index;
  }
}

TEST_F(VxlibSim, MissingOrBadScenarioStillStartsWithoutDevices) {
  for (const char* text : {"", R"({"devices": [{"handle": 1, "typo": 2}]})"}) {
    ClearEvents();
    WriteScenario(text);
    Start();
    EXPECT_EQ(VX_GetDeviceCount(), 0) << text;
    VX_FreeLib();
  }
  fs::remove(scenario_);
  Start();
  EXPECT_EQ(VX_GetDeviceCount(), 0);
}

TEST_F(VxlibSim, PlugAndUnplugArriveOnTheUiThread) {
  Start();
  auto client = Connect();
  const auto plugged = Command(client, R"({"cmd":"plug","device":{"name":"Second","type":1,"handle":"0x2000"}})");
  EXPECT_EQ(plugged["ok"], true) << plugged;
  Sleep(100);
  EXPECT_TRUE(Events().empty()) << "the pipe thread only posts";
  ASSERT_TRUE(PumpUntil([] { return Events().size() >= 2; }));
  PumpFor(50);
  auto events = Events();
  ASSERT_EQ(Kinds(), (std::vector<int>{VX_EVENT_DEVICE_ARRIVED, VX_EVENT_DEVICES_READY}));
  for (const auto& e : events) {
    EXPECT_EQ(e.thread, GetCurrentThreadId());
    EXPECT_EQ(e.devices_seen, 2);
  }
  EXPECT_EQ(VX_GetDeviceInfoByIndex(1).handle(), 0x2000u);

  ClearEvents();
  EXPECT_EQ(Command(client, R"({"cmd":"unplug","handle":4097})")["ok"], true);
  ASSERT_TRUE(PumpUntil([] { return !Events().empty(); }));
  PumpFor(50);
  events = Events();
  ASSERT_EQ(Kinds(), std::vector<int>{VX_EVENT_DEVICE_REMOVED});
  EXPECT_EQ(events[0].thread, GetCurrentThreadId());
  EXPECT_EQ(events[0].devices_seen, 1);
  EXPECT_EQ(VX_GetDeviceInfoByIndex(0).handle(), 0x2000u);

  EXPECT_EQ(Command(client, R"({"cmd":"unplug","handle":4097})")["error"], "no such device");
}

TEST_F(VxlibSim, InjectedEventsCarryTheirDataToTheUiThread) {
  Start();
  auto client = Connect();
  for (const char* line :
       {R"({"cmd":"event","kind":6})", R"({"cmd":"event","kind":10,"window":"0x10020"})",
        R"({"cmd":"event","kind":11,"state":1})", R"({"cmd":"event","kind":13,"vk":163,"scan":"0xE01D","down":true})"})
    ASSERT_EQ(Command(client, line)["ok"], true) << line;
  ASSERT_TRUE(PumpUntil([] { return Events().size() >= 4; }));
  const auto events = Events();
  ASSERT_EQ(Kinds(), (std::vector<int>{6, 10, 11, 13}));
  for (const auto& e : events) EXPECT_EQ(e.thread, GetCurrentThreadId()) << e.kind;
  EXPECT_EQ(events[1].window, 0x10020u);
  EXPECT_EQ(events[2].state, 1);
  EXPECT_EQ(events[3].key.virtual_key, 163);
  EXPECT_EQ(events[3].key.scan_code, 0xE01D);
  EXPECT_EQ(events[3].key.key_down, 1);
}

VX_TRIGGER_DEF Trigger(uint32_t button, uint8_t type, uint16_t slot) {
  VX_TRIGGER_DEF t{};
  t.hid_button = button;
  t.model_id = 51;
  t.vid = 0x2b;
  t.usb_vid = 0x1d57;
  t.usb_pid = 0xfa60;
  t.slot = slot;
  t.function.type = type;
  return t;
}

TEST_F(VxlibSim, StateShowsWhatTheProgramProgrammed) {
  const int cursor_ids[] = {153, 149, 150, 151, 152, 147};
  VX_SetCutCursor(146, nullptr, cursor_ids, nullptr);
  VX_SetErrStr(0, u"Fehler \u00e4");
  VX_SetFontSize(u"Segoe UI", 18);
  Start();
  VX_SetTriggerEvent(Trigger(1, 2, 0));
  VX_SetTriggerEvent(Trigger(2, 2, 1));
  VX_SetTriggerEvent(Trigger(4, 2, 2));
  VX_TRIGGER_DEF replaced = Trigger(1, 6, 16);
  replaced.function.press[0] = 1;
  replaced.function.press[1] = 17;
  replaced.function.press[2] = 116;
  std::memcpy(replaced.function.url, u"https://example.org", 20 * sizeof(char16_t));
  VX_SetTriggerEvent(replaced);
  EXPECT_EQ(VX_RemoveModelTriggerEvent(Trigger(2, 9, 99)), 1);
  EXPECT_EQ(VX_RemoveModelTriggerEvent(Trigger(2, 2, 1)), 0) << "already removed";
  EXPECT_EQ(VX_SetSlowdoenModifier(5, 8), 1);
  EXPECT_EQ(VX_SetSlowdoenModifier(16, 8), 0) << "not a modifier mask";
  EXPECT_EQ(VX_SetButtonMask(4097, 0, 0, 0, 51), 1);
  EXPECT_EQ(VX_SetButtonMask(12345, 1, 1, 1, 1), 0) << "no such device";

  auto client = Connect();
  const auto state = Command(client, R"({"cmd":"state"})");
  ASSERT_EQ(state["ok"], true) << state;
  ASSERT_EQ(state["triggers"].size(), 2u) << state["triggers"];
  const auto& first = state["triggers"][0];
  EXPECT_EQ(first["hid_button"], 1) << "replaced in place";
  EXPECT_EQ(first["slot"], 16);
  EXPECT_EQ(first["function"]["type"], 6);
  EXPECT_EQ(first["function"]["press"], nlohmann::json({1, 17, 116}));
  EXPECT_EQ(first["function"]["release"], nlohmann::json::array());
  EXPECT_EQ(first["function"]["url"], "https://example.org");
  EXPECT_EQ(first["usb_pid"], 0xfa60);
  EXPECT_EQ(state["triggers"][1]["hid_button"], 4);
  EXPECT_EQ(state["slowdown_modifier"], 5);
  EXPECT_EQ(state["button_masks"],
            nlohmann::json::parse(R"([{"handle":4097,"mask1":0,"mask2":0,"mask3":0,"sub_id":51}])"));
  EXPECT_EQ(state["error_texts"]["0"], "Fehler \xc3\xa4");
  EXPECT_EQ(state["font"], nlohmann::json({{"name", "Segoe UI"}, {"size", 18}}));
  EXPECT_EQ(state["cursors"]["cursor_id"], 146);
  EXPECT_EQ(state["cursors"]["cursor_ids"], nlohmann::json(cursor_ids));
  ASSERT_EQ(state["devices"].size(), 1u);
  EXPECT_EQ(state["devices"][0]["name"], "Test mouse");

  VX_ClearAllTriggerEvent();
  EXPECT_TRUE(Command(client, R"({"cmd":"state"})")["triggers"].empty());
}

TEST_F(VxlibSim, ProfilesAreKeptPerProgramBesideTheDefaultTriggers) {
  const VX_TRIGGER_DEF trigger = Trigger(8, 2, 0);
  EXPECT_EQ(VX_SetAppProfile(u"editor.exe", &trigger, 1), 0) << "before VX_InitLib";
  Start();
  const std::u16string longest(VX_PROGRAM_NAME_MAX, u'x');
  const std::u16string too_long = longest + u"x";
  EXPECT_EQ(VX_SetAppProfile(nullptr, &trigger, 1), 0);
  EXPECT_EQ(VX_SetAppProfile(u"", &trigger, 1), 0);
  EXPECT_EQ(VX_SetAppProfile(u"C:\\Apps\\editor.exe", &trigger, 1), 0);
  EXPECT_EQ(VX_SetAppProfile(too_long.c_str(), &trigger, 1), 0);
  EXPECT_EQ(VX_SetAppProfile(u"editor.exe", nullptr, 1), 0);
  EXPECT_EQ(VX_SetAppProfile(u"editor.exe", &trigger, -1), 0);
  EXPECT_EQ(VX_SetAppProfile(u"editor.exe", &trigger, VX_PROFILE_TRIGGERS_MAX + 1), 0);
  EXPECT_EQ(VX_SetAppProfile(longest.c_str(), &trigger, 1), 1);
  EXPECT_EQ(VX_SetAppProfile(u"Editor.exe", &trigger, 1), 1);
  VX_SetTriggerEvent(Trigger(1, 2, 0));
  VX_ClearAllTriggerEvent();

  auto client = Connect();
  auto state = Command(client, R"({"cmd":"state"})");
  ASSERT_EQ(state["profiles"].size(), 2u) << state["profiles"];
  EXPECT_EQ(state["profiles"][1]["program"], "Editor.exe");
  EXPECT_EQ(state["profiles"][1]["triggers"][0]["hid_button"], 8);
  EXPECT_TRUE(state["triggers"].empty());
  EXPECT_EQ(VX_SetAppProfile(u"EDITOR.EXE", nullptr, 0), 1);
  EXPECT_EQ(Command(client, R"({"cmd":"state"})")["profiles"].size(), 1u);
}

TEST_F(VxlibSim, StopEndsDeliveryAndChangesButNotTheState) {
  Start();
  auto client = Connect();
  EXPECT_EQ(Command(client, R"({"cmd":"event","kind":6})")["ok"], true);
  EXPECT_EQ(VX_Stop(), 1);
  EXPECT_EQ(VX_Stop(), 1);
  PumpFor(200);
  EXPECT_TRUE(Events().empty()) << "an event queued before VX_Stop is not delivered after it";
  EXPECT_EQ(Command(client, R"({"cmd":"plug","device":{"handle":9}})")["error"], "library not running");
  VX_SetButtonMask(4097, 0, 0, 0, 51);
  const auto state = Command(client, R"({"cmd":"state"})");
  EXPECT_EQ(state["running"], false);
  EXPECT_EQ(state["button_masks"].size(), 1u) << "the exit's mask reset is still visible";
}

TEST_F(VxlibSim, FreeLibLeavesNoThreadAndCanStartAgain) {
  const size_t before = ThreadCount();
  Start();
  {
    auto client = Connect();
    EXPECT_EQ(Command(client, R"({"cmd":"state"})")["ok"], true);
    EXPECT_GT(ThreadCount(), before);
  }
  EXPECT_EQ(VX_InitLib(OnEvent, nullptr, 0), 0) << "already running";
  EXPECT_EQ(VX_FreeLib(), 1);
  EXPECT_EQ(ThreadCount(), before);
  EXPECT_FALSE(vxctl::PipeClient::Connect(GetCurrentProcessId(), 200)) << "the channel is gone";
  EXPECT_EQ(VX_FreeLib(), 1);
  EXPECT_EQ(VX_Stop(), 1);
  EXPECT_EQ(VX_GetDeviceCount(), 0);
  EXPECT_EQ(VX_SetTriggerEvent(Trigger(1, 2, 0)), 0);

  EXPECT_EQ(VX_InitLib(nullptr, nullptr, 0), 0) << "no callback, no start";
  Start();
  EXPECT_EQ(VX_GetDeviceCount(), 1);
  auto client = Connect();
  EXPECT_EQ(Command(client, R"({"cmd":"state"})")["triggers"].size(), 0u) << "nothing left from the last run";
}

void FreeOnEvent(VX_CALLBACK_EVENT event) {
  OnEvent(event);
  VX_FreeLib();
}

TEST_F(VxlibSim, CallbackMayEndTheLibrary) {
  const size_t before = ThreadCount();
  ASSERT_EQ(VX_InitLib(FreeOnEvent, nullptr, 0), 1);
  {
    auto client = Connect();
    ASSERT_EQ(Command(client, R"({"cmd":"plug","device":{"handle":9}})")["ok"], true);
  }
  PumpFor(300);
  EXPECT_EQ(Kinds(), std::vector<int>{VX_EVENT_DEVICES_READY}) << "the events queued behind it are dropped";
  EXPECT_EQ(VX_GetDeviceCount(), 0);
  EXPECT_EQ(ThreadCount(), before);
}

TEST_F(VxlibSim, ChannelServesOneClientAfterAnother) {
  Start();
  for (int i = 0; i < 3; ++i) {
    auto client = Connect();
    EXPECT_EQ(Command(client, "not json")["error"], "not JSON");
    EXPECT_EQ(Command(client, R"({"cmd":"state"})")["ok"], true);
  }
}

}  // namespace
