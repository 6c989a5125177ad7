// The stored assignments and global settings: "buttonSetting.json" in the
// user's settings folder, rewritten whole after every change and read back
// into the driver library on every device refresh.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/message_box.h"
#include "catalog/settings_view.h"

namespace tessaro {

// Whether the slowdown hotkey is on (0 or 1).
inline std::atomic<int32_t> SlowdownEnabled{0};
// The slowdown hotkey's modifier keys: 1 Ctrl, 2 Shift, 4 Alt, 8 Win.
inline std::atomic<int32_t> SlowdownModifier{1};
// 1 once the first settings load has finished; device detection waits for it.
inline std::atomic<int32_t> SettingsLoaded{0};

inline constexpr std::u16string_view kSettingsFileName = u"buttonSetting.json";

// The folder that holds the settings file, ending in a separator. Empty
// until set.
std::u16string SettingsFolder();
void SetSettingsFolder(std::u16string folder);
// documents + (a '\' when it does not end in one) + "Vornel\".
std::u16string SettingsFolderBelow(std::u16string_view documents);
std::u16string SettingsFilePath();

#if defined(_WIN32)
// Makes SettingsFolder the folder "Vornel" in the user's documents folder
// and creates it (an existing folder is fine). Returns the folder.
std::u16string InitSettingsFolder();
#endif

// The language to start with: the file's "language id" when it has one,
// else system_language_id (also when the file is missing or unreadable).
int32_t ReadStoredLanguageId(int32_t system_language_id);

// Rebuilds the driver's triggers and ButtonSettingList: clears both,
// programs every model's HID defaults, then the file's global settings and
// assignments; shows the result through view. Sets SettingsLoaded.
void LoadButtonSettings(SettingsView& view);

// For LoadButtonSettings, while it holds SettingsChange: the entries of
// the file that it could not read, each as its JSON text; none after a load
// that read the whole file cleanly. Until the next load every save writes
// them after the list's entries, so an entry of the wrong format is neither
// applied nor lost.
void KeepUnreadEntries(std::vector<std::string> entries);

// Writes LanguageId, the slowdown settings and ButtonSettingList to the
// settings file, followed by the entries the last load could not read
// (before the first load: the entries the file holds). The file is replaced whole or not at all, and left alone
// when it already holds the same bytes. False when it could not be written
// (the previous file stays as it was).
bool SaveButtonSettings();

// Held for the whole of one change that ends in a save (an assignment
// applied, a model reset, a global setting changed, then the save): settings
// loads and other changes wait meanwhile, so a load can neither undo the
// change nor read the file before the change is in it. Loads and saves take
// it themselves; a thread may take it again while holding it. It comes
// before ButtonSettingLock: never take it (nor load or save) while holding
// that lock. The window's thread takes it too, so the messages shown
// meanwhile wait until it is released (message_box.h).
class SettingsChange {
 public:
  SettingsChange();
  SettingsChange(const SettingsChange&) = delete;
  SettingsChange& operator=(const SettingsChange&) = delete;

 private:
  MessageHold messages_;  // ends after the lock is released
  std::unique_lock<std::recursive_mutex> hold_;
};

}  // namespace tessaro
