// Arbitrary bytes as the settings file: LoadButtonSettings with the driver
// fake, then a save of what it took and a load of the saved file. Besides
// crashes and sanitizer reports: the saved file gives the same assignments
// and global settings back, and loads without a message unless the first
// load reported entries it could not read (those are carried, not lost).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "catalog/message_box.h"
#include "catalog/settings_store.h"
#include "device/button_setting.h"
#include "support/fake_vxlib.h"
#include "support/recording_views.h"
#include "support/settings_sandbox.h"

namespace {

test_support::SettingsSandbox& Sandbox() {
  static test_support::SettingsSandbox sandbox;
  return sandbox;
}

// The slot is the entry's place in the file, which the save renumbers.
bool SameApartFromSlot(tessaro::BUTTON_SETTING_DEF a, tessaro::BUTTON_SETTING_DEF b) {
  a.trigger.slot = b.trigger.slot = 0;
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool HasMessage(const test_support::RecordingSettingsView& view) {
  for (const std::string& call : view.calls)
    if (call.rfind("ShowMessage", 0) == 0) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const test_support::SettingsSandbox& sandbox = Sandbox();
  sandbox.ResetState();
  sandbox.WriteSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size));
  test_support::RecordingSettingsView first_view;
  tessaro::LoadButtonSettings(first_view);
  const tessaro::ButtonSettingArray taken = tessaro::CopyButtonSettingList();
  const int32_t enabled = tessaro::SlowdownEnabled.load();
  const int32_t modifier = tessaro::SlowdownModifier.load();
  const int driver_modifier = fake_vxlib::SlowdownModifier();

  if (!tessaro::SaveButtonSettings()) std::abort();
  tessaro::TakeShownMessages();
  fake_vxlib::Reset();
  test_support::RecordingSettingsView second_view;
  tessaro::LoadButtonSettings(second_view);
  const tessaro::ButtonSettingArray again = tessaro::CopyButtonSettingList();
  // Entries the first load could not read are carried through the save so
  // they are not lost, and reported again by the next load; a document the
  // first load found whole must save into one that loads without a word.
  if ((HasMessage(second_view) && !HasMessage(first_view)) || tessaro::SlowdownEnabled.load() != enabled ||
      tessaro::SlowdownModifier.load() != modifier || fake_vxlib::SlowdownModifier() != driver_modifier ||
      again.size() != taken.size())
    std::abort();
  for (size_t i = 0; i < taken.size(); ++i)
    if (!SameApartFromSlot(taken[i], again[i])) std::abort();
  return 0;
}
