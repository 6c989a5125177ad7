// The slowdown hotkey's switch and modifier keys reach the driver library
// and the settings file.
#include "shell/controls_slowdown.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "catalog/settings_store.h"
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

}  // namespace
