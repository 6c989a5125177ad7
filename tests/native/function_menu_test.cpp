// Choices in the function menu against the shipped model and function
// packages and the recording driver: the assignment record, custom key
// combinations, the HID wheel's pairing, choices that must change nothing,
// and the marker column the window shows afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/profile_document.h"
#include "catalog/profile_store.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"
#include "shell/function_menu_choice.h"
#include "shell/main_window_state.h"
#include "shell/marker_column_apply.h"
#include "shell/profile_selection.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/setting_builders.h"
#include "support/settings_sandbox.h"
#include "support/temp_app_folder.h"
#include "ui/key_capture_logic.h"

namespace {

using namespace tessaro;
using Bytes = std::vector<int>;
using Strings = std::vector<std::string>;

constexpr float kScale = 0.48f;

Bytes Prefix(const uint8_t* bytes, size_t count) { return Bytes(bytes, bytes + count); }

std::string Name(const char16_t* field) { return Utf16ToUtf8(field); }

TEST(CustomKey, CapturedKeysBecomeAStoredKeyCombination) {
  const struct {
    const char* what;
    int32_t key;
    int32_t modifiers;
    Bytes press;
    Bytes release;
  } cases[] = {
      {"left Ctrl, right Alt and A", 'A', kModLeftCtrl | kModRightAlt, {1, 17, 18, 65, 0}, {0, 65, 17, 18, 0}},
      {"Ctrl, Shift and F5", 0x74, kModLeftCtrl | kModLeftShift, {1, 17, 16, 116, 0}, {0, 116, 17, 16, 0}},
      // Modifiers always in the order Ctrl, Shift, Alt, Win.
      {"every right modifier alone",
       0,
       kModRightWin | kModRightAlt | kModRightShift | kModRightCtrl,
       {1, 17, 16, 18, 91, 0},
       {0, 17, 16, 18, 91, 0}},
      {"a key alone", 0x2E, 0, {1, 46, 0}, {0, 46, 0}},
  };
  for (const auto& c : cases) {
    VX_FUNCTION_DEF function{};
    function.type = kFunctionCustomKey;
    function.press[7] = 0x55;  // beyond the combination: kept
    WriteCustomKey(function, c.key, c.modifiers);
    EXPECT_EQ(function.type, kFunctionCustomKeyStored) << c.what;
    EXPECT_EQ(Prefix(function.press, c.press.size()), c.press) << c.what;
    EXPECT_EQ(Prefix(function.release, c.release.size()), c.release) << c.what;
    EXPECT_EQ(function.press[7], 0x55) << c.what;
  }
}

TEST(MenuAssignment, IdentifiesTheButtonByTheMarkersKind) {
  MODEL_DEF model = test_support::TestModel(0x10010, 0x19208, 0x1004b, 0x3a7c, 0x7a10, 2);
  model.swap45 = 1;
  model.hid_down[1] = 0xFC;
  model.hid_up[1] = 0xFD;
  MODEL_DEF mouse_mask_model = model;
  mouse_mask_model.type = 254;
  MODEL_DEF tilt_model = model;
  tilt_model.tilt = 1;
  const struct {
    const char* what;
    const MODEL_DEF& model;
    int marker;
    uint32_t hid_button, mouse_button;
    uint8_t down, up, tilt;
  } cases[] = {
      {"button", model, 3, 1u << 3, 0, 0, 0, 0},
      {"button of a mouse-mask model", mouse_mask_model, 11, 0, 1u << 11, 0, 0, 0},
      {"HID entry", model, 13, 0, 0, 0xFC, 0xFD, 0},
      {"tilt left", tilt_model, 12, 0, 0, 0, 0, 1},
      {"tilt right", tilt_model, 13, 0, 0, 0, 0, 2},
  };
  VX_FUNCTION_DEF function{};
  function.type = 3;
  function.press[1] = 0xB3;
  const std::u16string long_name(100, u'n');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const BUTTON_SETTING_DEF setting = MenuAssignment(c.model, 5, c.marker, long_name, function);
    const VX_TRIGGER_DEF& t = setting.trigger;
    EXPECT_EQ(t.hid_button, c.hid_button);
    EXPECT_EQ(t.mouse_button, c.mouse_button);
    EXPECT_EQ(t.hid_num_down, c.down);
    EXPECT_EQ(t.hid_num_up, c.up);
    EXPECT_EQ(t.tilt_mask, c.tilt);
    EXPECT_EQ(t.slot, c.marker + 16 * 5);
    EXPECT_EQ(t.model_id, 0x10);
    EXPECT_EQ(t.pid, 0x9208);
    EXPECT_EQ(t.vid, 0x4b);
    EXPECT_EQ(t.usb_vid, 0x3a7cu);
    EXPECT_EQ(t.usb_pid, 0x7a10u);
    EXPECT_EQ(t.swap45, 1);
    EXPECT_EQ(std::memcmp(&t.function, &function, sizeof function), 0);
    // A name longer than its field is cut, never overruns it.
    EXPECT_EQ(FieldLength(setting.function_name, kFunctionNameUnits), kFunctionNameUnits - 1);
  }
}

// Records what a choice asks of the window; the key capture answers with
// `keys`.
class FakeHost : public FunctionChoiceHost {
 public:
  std::optional<CapturedKeys> CaptureKeys(const _QnItemListDB& row) override {
    calls.push_back("CaptureKeys " + Name(row.name));
    return keys;
  }
  void Pause(int milliseconds) override { calls.push_back("Pause " + std::to_string(milliseconds)); }
  void RebuildMarkers() override { calls.push_back("RebuildMarkers"); }

  std::optional<CapturedKeys> keys;
  Strings calls;
};

// The shipped packages and language table beside the "executable", a
// clean settings folder and driver.
class FunctionMenuTest : public ::testing::Test {
 protected:
  FunctionMenuTest() {
    folder_.WriteFile("function.pkg", Whole(TESSARO_PACKAGE_DIR "/function.pkg"));
    folder_.WriteFile("language.json", Whole(TESSARO_DATA_DIR "/language.json"));
    LoadLanguage(1033);
    LoadFunctionCatalogue();
    Models().Load(Utf8ToUtf16(TESSARO_PACKAGE_DIR "/model.pkg"), nullptr, 0);
  }

  static std::string Whole(const char* path) {
    const std::vector<uint8_t> bytes = test_support::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }

  // Selects the first model of that name as connected; returns its index.
  static int Connect(const std::u16string& name) {
    const auto& models = Models().models;
    for (size_t i = 0; i < models.size(); ++i) {
      if (models[i].model_name != name) continue;
      Models().models[i].connected = 1;
      SelectedModel = static_cast<int32_t>(i);
      return static_cast<int>(i);
    }
    ADD_FAILURE() << "no model " << Utf16ToUtf8(name);
    return -1;
  }

  static _QnItemListDB Row(bool hid_list, const std::u16string& name) {
    const auto catalogue = FunctionCatalogueSnapshot();
    for (const _QnItemListDB& row : hid_list ? catalogue->hid_function_rows : catalogue->function_rows)
      if (row.kind == kRowItem && row.name == name) return row;
    ADD_FAILURE() << "no row " << Utf16ToUtf8(name);
    return {};
  }

  Strings StoredNames() const {
    Strings names;
    if (!sandbox_.SettingsFileExists()) return names;
    const nlohmann::json document = nlohmann::json::parse(sandbox_.ReadSettingsFile());
    for (const auto& entry : document["trigger_setting"]) names.push_back(entry["function_name"]);
    return names;
  }

  test_support::SettingsSandbox sandbox_;
  test_support::TempAppFolder folder_;
  FakeHost host_;
};

TEST_F(FunctionMenuTest, ScrollOnOneWheelDirectionGivesTheOtherTheOppositeScroll) {
  const struct {
    int marker;  // 12 reports 0xFA, 13 0xFC
    std::u16string chosen;
    std::u16string up_wheel, down_wheel;
  } cases[] = {
      {12, u"Scroll down", u"Scroll down", u"Scroll up"},
      {12, u"Scroll up", u"Scroll up", u"Scroll down"},
      {13, u"Scroll up", u"Scroll down", u"Scroll up"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker);
    SCOPED_TRACE(Utf16ToUtf8(c.chosen));
    fake_vxlib::Reset();
    host_.calls.clear();
    const int model = Connect(u"Mirel W6 (RF)");
    ClickedMarker = c.marker;
    ChooseFunction(Row(true, c.chosen), host_);

    EXPECT_EQ(host_.calls, (Strings{"Pause 20", "RebuildMarkers"}));
    const auto set = fake_vxlib::CallsNamed("VX_SetTriggerEvent");
    ASSERT_EQ(set.size(), 2u);
    const int partner = 25 - c.marker;
    const struct {
      const VX_TRIGGER_DEF& trigger;
      int marker;
    } applied[] = {{set[0].trigger, c.marker}, {set[1].trigger, partner}};
    for (const auto& a : applied) {
      const uint8_t code = a.marker == 12 ? 0xFA : 0xFC;
      EXPECT_EQ(a.trigger.hid_num_down, code);
      EXPECT_EQ(a.trigger.hid_num_up, code);
      EXPECT_EQ(a.trigger.slot, a.marker + 16 * model);
      EXPECT_EQ(a.trigger.function.type, kFunctionHidStep);
    }
    // Opposite steps.
    EXPECT_EQ(set[0].trigger.function.press[1] + set[1].trigger.function.press[1], 256);

    const MarkerColumnTexts texts{*LanguageTexts(), u"Default"};
    const MarkerColumn column =
        BuildMarkerColumn(Models().GetModel(model), CopyButtonSettingList(), texts, {kScale, 1152, 16});
    EXPECT_TRUE(column.markers[12].visible && column.markers[13].visible);
    EXPECT_EQ(column.markers[12].text, c.up_wheel);
    EXPECT_EQ(column.markers[13].text, c.down_wheel);
    // Saved once both were applied.
    const Strings stored = StoredNames();
    EXPECT_EQ(stored.size(), 2u);
  }

  // Anything but a scroll is not paired.
  fake_vxlib::Reset();
  host_.calls.clear();
  ClickedMarker = 12;
  ChooseFunction(Row(true, u"Copy"), host_);
  EXPECT_EQ(host_.calls, Strings{"RebuildMarkers"});
  EXPECT_EQ(fake_vxlib::CallsNamed("VX_SetTriggerEvent").size(), 1u);
}

TEST_F(FunctionMenuTest, ChoiceWithoutAConnectedModelOrWithoutKeysChangesNothing) {
  const struct {
    const char* what;
    bool connect;
    int32_t selected;  // used when not connecting
    std::u16string row;
    std::optional<CapturedKeys> keys;
    int32_t function_index = -2;  // other than -2: the row's value
  } cases[] = {
      {"no model selected", false, -1, u"Copy", std::nullopt},
      {"the selected model not connected", false, 0, u"Copy", std::nullopt},
      {"a selection beyond the catalogue", false, 100000, u"Copy", std::nullopt},
      {"a row naming no function", true, 0, u"Copy", std::nullopt, 100000},
      {"a cancelled key capture", true, 0, u"Custom key", std::nullopt},
      {"a key capture that caught nothing", true, 0, u"Custom key", CapturedKeys{0, 0, u""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake_vxlib::Reset();
    for (MODEL_DEF& model : Models().models) model.connected = 0;
    SelectedModel = c.selected;
    if (c.connect) Connect(u"Nodin XL (RF)");
    ClickedMarker = 3;
    host_.keys = c.keys;
    host_.calls.clear();
    _QnItemListDB row = Row(false, c.row);
    if (c.function_index != -2) row.function_index = c.function_index;
    ChooseFunction(row, host_);

    EXPECT_TRUE(fake_vxlib::Calls().empty());
    EXPECT_TRUE(CopyButtonSettingList().empty());
    EXPECT_FALSE(sandbox_.SettingsFileExists());
    const Strings expected = c.row == u"Custom key" ? Strings{"CaptureKeys Custom key"} : Strings{};
    EXPECT_EQ(host_.calls, expected);
  }
}

TEST_F(FunctionMenuTest, CustomKeyIsRecordedThenAssignedUnderItsShownName) {
  const int model = Connect(u"Nodin XL (RF)");
  ClickedMarker = 3;
  host_.keys = CapturedKeys{'A', kModLeftCtrl | kModRightAlt, u"Ctrl + Alt + A"};
  ChooseFunction(Row(false, u"Custom key"), host_);

  EXPECT_EQ(host_.calls, (Strings{"CaptureKeys Custom key", "RebuildMarkers"}));
  const auto installed = fake_vxlib::InstalledTriggers();
  ASSERT_EQ(installed.size(), 1u);
  const VX_TRIGGER_DEF& t = installed[0];
  EXPECT_EQ(t.hid_button, 1u << 3);
  EXPECT_EQ(t.slot, 3 + 16 * model);
  EXPECT_EQ(t.function.type, kFunctionCustomKeyStored);
  EXPECT_EQ(Prefix(t.function.press, 5), (Bytes{1, 17, 18, 65, 0}));
  EXPECT_EQ(Prefix(t.function.release, 5), (Bytes{0, 65, 17, 18, 0}));
  EXPECT_EQ(StoredNames(), Strings{"Ctrl + Alt + A"});
}

TEST_F(FunctionMenuTest, RebuildWritesTheColumnIntoTheWindowAndRepaintsSoon) {
  MainPanelWidgets main;
  main.panel.client = {0, 0, 1152, 768};
  main.global_setting_heading.rect.y = 10000;  // room for every row
  for (PanelWidget& marker : main.markers) {
    marker.style_normal.font_size = 20;
    CopyToField(u"before", marker.text, kWidgetTextLength);
  }
  const float scale = UiScale.exchange(kScale);
  Connect(u"Mirel W6 (RF)");
  ClickedMarker = 2;
  ChooseFunction(Row(false, u"Copy"), host_);
  test_support::FakeMainWindow window;
  RebuildMarkerColumn(main, window);

  EXPECT_EQ(window.calls, Strings{"RestartTimer 1 100"});
  EXPECT_EQ(Name(main.markers[1].text), "Right click (Default)");
  EXPECT_EQ(Name(main.markers[2].text), "Copy");
  EXPECT_EQ(Name(main.markers[7].text), "before");
  // Buttons 1 to 5, then the wheel's two HID buttons.
  EXPECT_TRUE(main.markers[5].visible && main.markers[12].visible && main.markers[13].visible);
  EXPECT_FALSE(main.markers[6].visible);
  EXPECT_EQ(Name(main.marker_numbers[5].text), "6");
  EXPECT_FLOAT_EQ(main.marker_numbers[5].rect.y, 260 * kScale + 5 * 48 * 1.75f);
  EXPECT_FLOAT_EQ(main.marker_numbers[5].style.font_size, 16);
  EXPECT_TRUE(main.reset.visible);
  EXPECT_TRUE(main.button_setting_heading.visible);
  EXPECT_EQ(MarkerMenuOf(main.markers[2]).exclusion_mask, 1 << 2);
  // The test's panel has no skin pictures.
  EXPECT_EQ(MarkerPictures().normal[0], nullptr);

  SelectedModel = -1;
  RebuildMarkerColumn(main, window);
  EXPECT_FALSE(main.markers[2].visible);
  EXPECT_FALSE(main.reset.visible);
  EXPECT_FALSE(main.button_setting_heading.visible);
  EXPECT_EQ(Name(main.markers[2].text), "Middle click (Default)");
  EXPECT_EQ(Name(main.markers[7].text), "Default");
  UiScale = scale;
}

}  // namespace

namespace {

TEST_F(FunctionMenuTest, ChoiceInAProgramsProfileGoesToItsFileAndLeavesTheSettingsFileAlone) {
  const int model = Connect(u"Nodin XL (RF)");
  test_support::RecordingSettingsView view;
  LoadButtonSettings(view);
  LoadProgramProfiles(view);
  ASSERT_TRUE(AddProgramProfile(u"Editor.exe", u"C:\\Apps\\Editor.exe"));
  SelectProfile(u"editor.EXE");
  const auto defaults = fake_vxlib::InstalledTriggers();

  ClickedMarker = 3;
  ChooseFunction(Row(false, u"Paste"), host_);
  ClickedMarker = 4;
  ChooseFunction(Row(false, u"Copy"), host_);

  EXPECT_FALSE(sandbox_.SettingsFileExists()) << "the settings file is never written for a profile";
  EXPECT_EQ(fake_vxlib::InstalledTriggers().size(), defaults.size());
  const ProfileDocument stored = ReadProfileDocument(sandbox_.ReadFile("appProfiles.json"));
  ASSERT_EQ(stored.profiles.size(), 1u);
  EXPECT_EQ(stored.profiles[0].program, u"Editor.exe");
  ASSERT_EQ(stored.profiles[0].entries.size(), 2u);
  EXPECT_EQ(Name(stored.profiles[0].entries[0].function_name), "Paste");
  ASSERT_EQ(fake_vxlib::Profiles().size(), 1u);
  EXPECT_EQ(fake_vxlib::Profiles()[0].triggers.size(), 2u);
  EXPECT_EQ(fake_vxlib::Profiles()[0].triggers[0].slot, 3 + 16 * model);

  // The column shows the profile's own names bright, the rest as the
  // default assignments have them, dimmer.
  const MarkerColumnTexts texts{*LanguageTexts(), u"Default"};
  const auto entries = CopyProfileEntries(ShownProfile());
  ASSERT_TRUE(entries);
  MarkerColumn column =
      BuildMarkerColumn(Models().GetModel(model), CopyButtonSettingList(), texts, {kScale, 1152, 16}, &*entries);
  EXPECT_EQ(column.markers[3].text, u"Paste");
  EXPECT_FALSE(column.markers[3].inherited);
  EXPECT_EQ(column.markers[1].text, u"Right click (Default)");
  EXPECT_TRUE(column.markers[1].inherited);

  // "Default" in the profile takes its own assignment away: the default
  // acts there again.
  ClickedMarker = 3;
  ChooseFunction(Row(false, u"Default"), host_);
  ASSERT_EQ(fake_vxlib::Profiles()[0].triggers.size(), 1u);
  EXPECT_EQ(Name(ReadProfileDocument(sandbox_.ReadFile("appProfiles.json")).profiles[0].entries[0].function_name),
            "Copy");

  // A restart: the library starts empty and the refresh programs the
  // profile again from its file.
  fake_vxlib::Reset();
  ReplaceProgramProfiles({});
  fake_vxlib::Reset();
  LoadButtonSettings(view);
  LoadProgramProfiles(view);
  ASSERT_EQ(fake_vxlib::Profiles().size(), 1u);
  EXPECT_EQ(fake_vxlib::Profiles()[0].name, u"Editor.exe");
  EXPECT_EQ(fake_vxlib::Profiles()[0].triggers.size(), 1u);
  EXPECT_FALSE(sandbox_.SettingsFileExists());
}

}  // namespace
