#include "catalog/settings_store.h"

#include <cstring>
#include <exception>
#include <nlohmann/json.hpp>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/file_replace.h"
#include "catalog/json_values.h"
#include "catalog/language_table.h"
#include "catalog/message_box.h"
#include "catalog/package.h"
#include "catalog/settings_document.h"
#include "device/button_setting.h"

namespace tessaro {
namespace {

struct Folder {
  std::mutex mutex;
  std::u16string path;
};

// These two are never destroyed: a refresh worker may still load while the
// process exits.
Folder& TheFolder() {
  static Folder* const folder = new Folder;
  return *folder;
}

std::recursive_mutex& ChangeMutex() {
  static std::recursive_mutex* const mutex = new std::recursive_mutex;
  return *mutex;
}

// Guarded by the change mutex, never destroyed like it.
std::vector<std::string>& UnreadEntries() {
  static std::vector<std::string>* const entries = new std::vector<std::string>;
  return *entries;
}

std::string FormatCurrentList(const SettingsGlobals& globals, const std::vector<std::string>& carried) {
  std::lock_guard hold(ButtonSettingLock());
  return FormatSettingsDocument(globals, ButtonSettingList(), carried);
}

// Until the first load the list does not hold the file's assignments yet
// (a language or slowdown change can come first): they are carried over as
// the file has them rather than replaced by nothing.
std::string DocumentBeforeFirstLoad(const SettingsGlobals& globals, const std::vector<uint8_t>& current) {
  nlohmann::json stored;
  if (ParseJsonDocument(DocumentText(current), stored) && stored.is_object()) {
    const auto entries = stored.find("trigger_setting");
    if (entries != stored.end() && entries->is_array()) {
      std::vector<std::string> texts;
      for (const nlohmann::json& entry : *entries) texts.push_back(entry.dump());
      return FormatSettingsDocument(globals, {}, texts);
    }
  }
  return FormatCurrentList(globals, {});
}

}  // namespace

std::u16string SettingsFolder() {
  std::lock_guard hold(TheFolder().mutex);
  return TheFolder().path;
}

void SetSettingsFolder(std::u16string folder) {
  std::lock_guard hold(TheFolder().mutex);
  TheFolder().path = std::move(folder);
}

std::u16string SettingsFolderBelow(std::u16string_view documents) {
  std::u16string folder(documents);
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder + u"Vornel\\";
}

std::u16string SettingsFilePath() { return SettingsFolder() + std::u16string(kSettingsFileName); }

SettingsChange::SettingsChange() : hold_(ChangeMutex()) {}

void KeepUnreadEntries(std::vector<std::string> entries) { UnreadEntries() = std::move(entries); }

int32_t ReadStoredLanguageId(int32_t system_language_id) {
  std::vector<uint8_t> bytes;
  nlohmann::json document;
  if (!ReadWholeFile(SettingsFilePath(), bytes) || !ParseJsonDocument(DocumentText(bytes), document) ||
      !document.is_object())
    return system_language_id;
  const auto found = document.find("language id");
  if (found == document.end() || found->is_null()) return system_language_id;
  try {
    return ReadJsonInt(document, "language id");
  } catch (const nlohmann::json::exception&) {
    return system_language_id;
  }
}

bool SaveButtonSettings() {
  const SettingsChange serialise;
  const std::u16string path = SettingsFilePath();
  std::vector<uint8_t> current;
  const bool have_current = ReadWholeFile(path, current);
  std::string document;
  try {
    const SettingsGlobals globals{LanguageId.load(), SlowdownEnabled.load(), SlowdownModifier.load()};
    document =
        SettingsLoaded.load() ? FormatCurrentList(globals, UnreadEntries()) : DocumentBeforeFirstLoad(globals, current);
  } catch (const std::exception&) {
    // Writing what was built so far would drop every assignment.
    ShowMessage(u"error write");
    return false;
  }
  if (have_current && current.size() == document.size() &&
      std::memcmp(current.data(), document.data(), document.size()) == 0)
    return true;
  return ReplaceFileContents(path, document);
}

}  // namespace tessaro
