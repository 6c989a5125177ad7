// Switching the display language: the window's texts, the tray menu, the
// function catalogue and the names of the stored assignments all follow,
// and the settings file records the new language.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "device/main_window.h"

namespace tessaro {

// What a language switch asks of the window besides its timers and
// repaints. Called on the choosing thread; implementations post.
class LanguageView {
 public:
  virtual ~LanguageView() = default;
  // The widgets, headings and tray menu rows take their texts from the
  // current language; the update link is placed again.
  virtual void ShowLanguageTexts() = 0;
  // Lays the window out again once the new texts have been measured.
  virtual void LayOutAgain() = 0;
};

// Gives every assignment (of all programs and of each program's profile)
// whose name the map knows its name in the new language, cut to the name
// field; holds ButtonSettingLock meanwhile.
// Returns how many were renamed.
int RenameAssignments(const std::unordered_map<std::u16string, std::u16string>& new_names);

// Makes lcid the display language; nothing when it already is. Holds the
// settings change from the switch to the save, so that a settings load in
// between neither sees a half-renamed list nor writes the old language.
// True when the language changed.
bool ChangeLanguage(int32_t lcid, MainWindowControl& window, LanguageView& view);

}  // namespace tessaro
