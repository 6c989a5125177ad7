// The slowdown hotkey's switch and modifier keys reach the driver library
// and the settings file.
#include "shell/controls_slowdown.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "support/fake_vxlib.h"
#include "support/settings_sandbox.h"
#include "ui/key_capture_logic.h"

namespace {

using namespace tessaro;

TEST(SlowdownKeys, EitherSideOfAKeyFoldsToIt) {
  const struct {
    int32_t captured, folded;
  } cases[] = {
      {kModLeftCtrl | kModRightShift, 3}, {kModRightCtrl, 1}, {kModLeftAlt | kModRightAlt, 4},
      {kModRightWin | kModLeftShift, 10}, {0xFF, 15},         {0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldModifiers(c.captured), c.folded) << c.captured;
}

TEST(SlowdownKeys, SwitchAndKeysAreSentOnlyWhileOnAndAlwaysSaved) {
  test_support::SettingsSandbox sandbox;
  SettingsLoaded = 1;
  auto sent = [] {
    const auto calls = fake_vxlib::CallsNamed("VX_SetSlowdoenModifier");
    return calls.empty() ? std::vector<int>{} : calls.back().args;
  };
  auto stored = [&] {
    const auto document = nlohmann::json::parse(sandbox.ReadSettingsFile());
    return document.at("slowdown enable").get<std::string>() + " " +
           document.at("slowdown modifier").get<std::string>();
  };

  EXPECT_EQ(SetSlowdownKeys(kModLeftCtrl | kModRightShift), 3);
  EXPECT_EQ(sent(), (std::vector<int>{0, 8}));  // off: the driver gets no keys
  EXPECT_EQ(stored(), "0 3");

  SetSlowdownEnabled(true);
  EXPECT_EQ(sent(), (std::vector<int>{3, 8}));
  EXPECT_EQ(stored(), "1 3");

  EXPECT_EQ(SetSlowdownKeys(kModRightAlt), 4);
  EXPECT_EQ(sent(), (std::vector<int>{4, 8}));
  EXPECT_EQ(stored(), "1 4");

  SetSlowdownEnabled(false);
  EXPECT_EQ(sent(), (std::vector<int>{0, 8}));
  EXPECT_EQ(stored(), "0 4");
  EXPECT_EQ(SlowdownModifier.load(), 4);
}

// A settings load asks the window to show the slowdown settings while it
// holds the settings lock; the window's thread gets to that request only
// after a click on the check box, which waited for the lock and was saved
// after the load. The window then shows the click's state: the stored one.
TEST(SlowdownKeys, TheWindowShowsWhatIsStoredAfterAClickDuringALoad) {
  test_support::SettingsSandbox sandbox;
  sandbox.WriteSettingsFile(R"({"slowdown enable":"0","slowdown modifier":"4"})");
  // The window's queue: what the load asks for waits until the click is done.
  class QueuedView final : public SettingsView {
   public:
    void ShowSlowdown() override { ++slowdown_requests; }
    void StopRepaintTimer() override {}
    void InvalidateWindow() override {}
    void ShowMessage(std::u16string_view) override {}
    int slowdown_requests = 0;
  } view;
  LoadButtonSettings(view);
  ASSERT_EQ(view.slowdown_requests, 1);

  MainPanelWidgets main;
  main.slowdown.visible = true;
  main.slowdown.checked = true;  // the panel ticks the box, then calls the handler
  SetSlowdownEnabled(true);
  ShowStoredSlowdown(main);  // the queued request
  EXPECT_TRUE(main.slowdown.checked);
  EXPECT_EQ(nlohmann::json::parse(sandbox.ReadSettingsFile()).at("slowdown enable"), "1");
  EXPECT_EQ(std::u16string(main.modifier.text, FieldLength(main.modifier.text, kWidgetTextLength)), u"Alt");
  EXPECT_TRUE(main.modifier.visible);
}

}  // namespace
