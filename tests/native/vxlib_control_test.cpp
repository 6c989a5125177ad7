#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalog/utf.h"
#include "vxlib/control_handler.h"

namespace {

struct RecordingSink : vxlib::EventSink {
  void Post(vxlib::PendingEvent event) override { events.push_back(std::move(event)); }
  std::vector<int> Kinds() const {
    std::vector<int> kinds;
    for (const auto& e : events) kinds.push_back(e.kind());
    return kinds;
  }
  std::vector<vxlib::PendingEvent> events;
};

vxlib::SimDevice Device(uint32_t handle, uint8_t sub_id) {
  vxlib::SimDevice d{"mouse " + std::to_string(handle), {}};
  d.item.set_handle(handle);
  d.item.set_sub_id(sub_id);
  d.item.set_type(1);
  return d;
}

class VxlibControl : public ::testing::Test {
 protected:
  VxlibControl() : sim({Device(7, 0x33)}) { sim.Start({}, sink); }

  nlohmann::json Send(const std::string& line) {
    return nlohmann::json::parse(
        vxlib::HandleControlLine(line, sim, settings, {tessaro::Utf16ToUtf8, tessaro::Utf8ToUtf16}));
  }

  RecordingSink sink;
  vxlib::SimBackend sim;
  vxlib::LibrarySettings settings;
};

TEST_F(VxlibControl, StartReportsDevicesReadyOnce) {
  EXPECT_EQ(sink.Kinds(), std::vector<int>{4});
  sim.Start({}, sink);
  EXPECT_EQ(sink.Kinds(), std::vector<int>{4});
}

TEST_F(VxlibControl, CommandsReplyAndPostTheirEvents) {
  struct Case {
    const char* line;
    const char* error;  // null: ok
    std::vector<int> kinds;
  };
  const Case cases[] = {
      {R"({"cmd":"plug","device":{"name":"second","handle":"0x10","sub_id":4}})", nullptr, {0, 4}},
      {R"({"cmd":"plug","device":{"handle":16}})", "handle in use", {}},
      {R"({"cmd":"plug","device":{"handle":17,"colour":1}})", "bad device", {}},
      {R"({"cmd":"plug"})", "bad device", {}},
      {R"({"cmd":"unplug","handle":16})", nullptr, {2}},
      {R"({"cmd":"unplug","handle":16})", "no such device", {}},
      {R"({"cmd":"unplug","handle":-1})", "bad handle", {}},
      {R"({"cmd":"unplug"})", "bad handle", {}},
      {R"({"cmd":"event","kind":6})", nullptr, {6}},
      {R"({"cmd":"event","kind":10,"window":"0x1004e"})", nullptr, {10}},
      {R"({"cmd":"event","kind":10})", "bad event", {}},
      {R"({"cmd":"event","kind":11,"state":1})", nullptr, {11}},
      {R"({"cmd":"event","kind":11})", "bad event", {}},
      {R"({"cmd":"event","kind":13,"vk":163,"scan":"0xE01D","down":true})", nullptr, {13}},
      {R"({"cmd":"event","kind":13,"vk":163,"scan":29,"down":0})", nullptr, {13}},
      {R"({"cmd":"event","kind":13,"vk":163,"down":true})", "bad event", {}},
      {R"({"cmd":"event","kind":13,"vk":163,"scan":29,"down":"yes"})", "bad event", {}},
      {R"({"cmd":"event","kind":4})", "bad event", {}},
      {R"({"cmd":"event","kind":0})", "bad event", {}},
      {R"({"cmd":"event"})", "bad event", {}},
      {R"({"cmd":"reboot"})", "unknown cmd", {}},
      {R"({"command":"state"})", "missing cmd", {}},
      {R"([1,2])", "not a JSON object", {}},
      {R"({"cmd":"state")", "not JSON", {}},
      {"", "not JSON", {}},
  };
  for (const auto& c : cases) {
    sink.events.clear();
    const auto reply = Send(c.line);
    EXPECT_EQ(reply["ok"], c.error == nullptr) << c.line;
    if (c.error) {
      EXPECT_EQ(reply["error"], c.error) << c.line;
    }
    EXPECT_EQ(sink.Kinds(), c.kinds) << c.line;
  }
}

TEST_F(VxlibControl, InjectedEventsCarryTheirData) {
  Send(R"({"cmd":"event","kind":10,"window":"0x1004e"})");
  Send(R"({"cmd":"event","kind":11,"state":-3})");
  Send(R"({"cmd":"event","kind":13,"vk":163,"scan":"0xE01D","down":true})");
  Send(R"({"cmd":"event","kind":6})");
  ASSERT_EQ(sink.events.size(), 5u);

  const auto window = sink.events[1].View();
  ASSERT_NE(window.data, nullptr);
  const auto* w = static_cast<const VX_EVENT_WINDOW*>(window.data);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(w->window), 0x1004eu);
  ASSERT_NE(w->path, nullptr);

  const auto state = sink.events[2].View();
  ASSERT_NE(state.data, nullptr);
  EXPECT_EQ(static_cast<const VX_EVENT_STATE*>(state.data)->state, -3);

  const auto key = sink.events[3].View();
  ASSERT_NE(key.data, nullptr);
  const auto* k = static_cast<const VX_EVENT_KEY*>(key.data);
  EXPECT_EQ(k->virtual_key, 163);
  EXPECT_EQ(k->scan_code, 0xE01D);
  EXPECT_EQ(k->key_down, 1);

  EXPECT_EQ(sink.events[4].View().data, nullptr);
  EXPECT_EQ(sink.events[0].View().data, nullptr) << "kind 4 has no data";
}

TEST_F(VxlibControl, PluggedDeviceIsListedAndUnplugTakesItsMask) {
  Send(R"({"cmd":"plug","device":{"name":"second","type":2,"handle":16,"sub_id":4}})");
  const auto items = sim.Devices();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].handle(), 16u);
  EXPECT_EQ(items[1].type(), 2u);

  EXPECT_TRUE(sim.SetButtonMask(16, {1, 2, 3, 4}));
  EXPECT_FALSE(sim.SetButtonMask(99, {1, 2, 3, 4})) << "no such device";
  EXPECT_EQ(Send(R"({"cmd":"state"})")["button_masks"].size(), 1u);
  Send(R"({"cmd":"unplug","handle":16})");
  EXPECT_TRUE(Send(R"({"cmd":"state"})")["button_masks"].empty());
  EXPECT_EQ(sim.Devices().size(), 1u);
}

TEST_F(VxlibControl, StateShowsWhatWasProgrammed) {
  VX_TRIGGER_DEF t{};
  t.hid_button = 8;
  t.model_id = 0x33;
  t.usb_vid = 0x1d57;
  t.slot = 3;
  t.swap45 = 1;
  t.function.type = 2;
  const uint8_t press[] = {1, 17, 0, 116};
  std::memcpy(t.function.press, press, sizeof press);
  t.function.release[0] = 0;
  t.function.release[1] = 116;
  tessaro::CopyToField(u"https://example.org/\u00e9", t.function.url, 256);
  sim.SetTrigger(t);
  VX_TRIGGER_DEF gone = t;
  gone.hid_button = 16;
  sim.SetTrigger(gone);
  EXPECT_TRUE(sim.RemoveTrigger(gone));
  sim.SetSlowdownModifier(5);
  sim.SetButtonMask(7, {0, 0, 0, 0x33});
  settings.SetErrorText(0, u"Fehler \u00fc");
  settings.SetFont(u"Segoe UI", 18);
  const int ids[] = {153, 149, 150, 151, 152, 147};
  settings.SetCursors(146, ids);

  const auto state = Send(R"({"cmd":"state"})");
  EXPECT_EQ(state["ok"], true);
  EXPECT_EQ(state["running"], true);
  ASSERT_EQ(state["triggers"].size(), 1u);
  const auto& trigger = state["triggers"][0];
  EXPECT_EQ(trigger["hid_button"], 8);
  EXPECT_EQ(trigger["model_id"], 0x33);
  EXPECT_EQ(trigger["usb_vid"], 0x1d57);
  EXPECT_EQ(trigger["slot"], 3);
  EXPECT_EQ(trigger["swap45"], 1);
  EXPECT_EQ(trigger["tilt_mask"], 0);
  EXPECT_EQ(trigger["function"]["type"], 2);
  EXPECT_EQ(trigger["function"]["press"], nlohmann::json({1, 17, 0, 116})) << "inner zeros stay";
  EXPECT_EQ(trigger["function"]["release"], nlohmann::json({0, 116}));
  EXPECT_EQ(trigger["function"]["reserved"], nlohmann::json::array());
  EXPECT_EQ(trigger["function"]["url"], "https://example.org/\xc3\xa9");
  for (const char* field :
       {"mouse_button", "pid", "vid", "usb_pid", "hid_num_down", "hid_num_up", "reserved1", "reserved2"})
    EXPECT_EQ(trigger[field], 0) << field;

  EXPECT_EQ(state["slowdown_modifier"], 5);
  EXPECT_EQ(state["button_masks"],
            nlohmann::json::parse(R"([{"handle":7,"mask1":0,"mask2":0,"mask3":0,"sub_id":51}])"));
  EXPECT_EQ(state["error_texts"], nlohmann::json({{"0", "Fehler \xc3\xbc"}}));
  EXPECT_EQ(state["font"], nlohmann::json({{"name", "Segoe UI"}, {"size", 18}}));
  EXPECT_EQ(state["cursors"]["cursor_id"], 146);
  EXPECT_EQ(state["cursors"]["cursor_ids"], nlohmann::json({153, 149, 150, 151, 152, 147}));
  ASSERT_EQ(state["devices"].size(), 1u);
  EXPECT_EQ(state["devices"][0]["handle"], 7);
  EXPECT_EQ(state["devices"][0]["sub_id"], 0x33);

  sim.ClearTriggers();
  EXPECT_TRUE(Send(R"({"cmd":"state"})")["triggers"].empty());
}

TEST_F(VxlibControl, StateListsTheProfilesAndTheProgramInFront) {
  EXPECT_TRUE(Send(R"({"cmd":"state"})")["foreground"].is_null());
  VX_TRIGGER_DEF paste{};
  paste.hid_button = 8;
  paste.function.type = 2;
  paste.function.press[0] = 1;
  paste.function.press[1] = 'V';
  ASSERT_TRUE(sim.SetAppProfile(u"Editor.exe", std::vector<VX_TRIGGER_DEF>{paste}));
  ASSERT_TRUE(sim.SetAppProfile(u"gone.exe", std::vector<VX_TRIGGER_DEF>{paste}));
  ASSERT_TRUE(sim.SetAppProfile(u"GONE.exe", {}));
  // Clearing the default triggers leaves the profiles.
  sim.ClearTriggers();

  EXPECT_EQ(Send(R"({"cmd":"foreground","program":"C:\\Apps\\\u00e9dit.exe"})")["ok"], true);
  auto state = Send(R"({"cmd":"state"})");
  EXPECT_EQ(state["foreground"],
            "\xc3\xa9"
            "dit.exe")
      << "the file name of a path";
  ASSERT_EQ(state["profiles"].size(), 1u);
  EXPECT_EQ(state["profiles"][0]["program"], "Editor.exe");
  ASSERT_EQ(state["profiles"][0]["triggers"].size(), 1u);
  EXPECT_EQ(state["profiles"][0]["triggers"][0]["function"]["press"], nlohmann::json({1, 'V'}));

  EXPECT_EQ(Send(R"({"cmd":"foreground","program":""})")["ok"], true);
  EXPECT_EQ(Send(R"({"cmd":"state"})")["foreground"], "") << "a program without a name";
  for (const char* bad : {R"({"cmd":"foreground"})", R"({"cmd":"foreground","program":7})"})
    EXPECT_EQ(Send(bad)["error"], "bad program") << bad;
}

TEST(VxlibSimButtons, ButtonsActWithTheProfileOfTheProgramInFront) {
  RecordingSink sink;
  vxlib::SimBackend sim({Device(7, 0x33)});
  VX_FILTER_DEF model{};
  model.type = 1;
  model.model_id = 0x33;
  sim.Start({&model, 1}, sink);
  vxlib::LibrarySettings settings;
  const auto send = [&](const std::string& line) {
    return nlohmann::json::parse(
        vxlib::HandleControlLine(line, sim, settings, {tessaro::Utf16ToUtf8, tessaro::Utf8ToUtf16}));
  };
  const auto back = [](uint8_t key) {
    VX_TRIGGER_DEF t{};
    t.hid_button = 1u << 3;
    t.model_id = 0x33;
    t.function.type = 2;
    t.function.press[0] = 1;
    t.function.press[1] = key;
    return t;
  };
  sim.SetTrigger(back('Z'));
  ASSERT_TRUE(sim.SetAppProfile(u"Editor.exe", std::vector<VX_TRIGGER_DEF>{back('V')}));
  const std::string down = R"({"cmd":"button","handle":7,"button":"back","edge":"down"})";
  const std::string up = R"({"cmd":"button","handle":7,"button":"back","edge":"up"})";

  send(R"({"cmd":"foreground","program":"editor.exe"})");
  auto reply = send(down);
  EXPECT_EQ(reply["swallowed"], true);
  EXPECT_EQ(reply["profile"], "Editor.exe");
  EXPECT_EQ(reply["function"]["press"], nlohmann::json({1, 'V'}));
  // The release follows its press whatever is in front now.
  send(R"({"cmd":"foreground","program":"shell.exe"})");
  reply = send(up);
  EXPECT_EQ(reply["swallowed"], true);
  EXPECT_TRUE(reply["function"].is_null());
  reply = send(down);
  EXPECT_TRUE(reply["profile"].is_null());
  EXPECT_EQ(reply["function"]["press"], nlohmann::json({1, 'Z'}));
  send(up);
  EXPECT_EQ(send(R"({"cmd":"button","handle":7,"button":"middle","edge":"down"})")["swallowed"], false);
  EXPECT_EQ(send(R"({"cmd":"button","handle":7,"button":"tilt_left"})")["swallowed"], false);

  for (const char* bad : {R"({"cmd":"button","button":"back"})", R"({"cmd":"button","button":"thumb","edge":"down"})",
                          R"({"cmd":"button","handle":-1,"button":"back","edge":"down"})"})
    EXPECT_EQ(send(bad)["error"], "bad button") << bad;
  EXPECT_EQ(send(R"({"cmd":"button","handle":99,"button":"back","edge":"down"})")["error"], "no such device");
}

TEST_F(VxlibControl, StoppedLibraryRefusesChangesButShowsItsState) {
  sim.Stop();
  sim.Stop();
  sink.events.clear();
  for (const char* line :
       {R"({"cmd":"plug","device":{"handle":16}})", R"({"cmd":"unplug","handle":7})", R"({"cmd":"event","kind":6})"}) {
    const auto reply = Send(line);
    EXPECT_EQ(reply["ok"], false) << line;
    EXPECT_EQ(reply["error"], "library not running") << line;
  }
  EXPECT_TRUE(sink.events.empty());
  const auto state = Send(R"({"cmd":"state"})");
  EXPECT_EQ(state["ok"], true);
  EXPECT_EQ(state["running"], false);
  EXPECT_EQ(state["devices"].size(), 1u);
}

TEST(VxlibSettings, TextsAreBoundedAndNullIsEmpty) {
  vxlib::LibrarySettings settings;
  const std::u16string long_text(vxlib::LibrarySettings::kMaxText + 10, u'x');
  settings.SetErrorText(0, long_text.c_str());
  settings.SetErrorText(3, nullptr);
  settings.SetFont(nullptr, 12);
  settings.SetCursors(146, nullptr);
  auto s = settings.Snapshot();
  EXPECT_EQ(s.error_texts[0].size(), vxlib::LibrarySettings::kMaxText);
  EXPECT_EQ(s.error_texts[3], u"");
  EXPECT_EQ(s.font_name, u"");
  EXPECT_TRUE(s.cursors.cursor_ids.empty());
  settings.Reset();
  EXPECT_TRUE(settings.Snapshot().error_texts.empty());
}

}  // namespace
