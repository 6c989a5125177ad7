#include "catalog/profile_store.h"

#include <cstring>
#include <functional>
#include <mutex>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/file_replace.h"
#include "catalog/language_table.h"
#include "catalog/package.h"
#include "catalog/profile_document.h"
#include "catalog/settings_store.h"

namespace tessaro {
namespace {

constexpr int kAsideAttempts = 100;

// Guarded by SettingsChange; never destroyed, as a refresh worker may still
// load while the process exits.
struct StoreState {
  bool loaded = false;
  // The file is damaged and still in its place: saves must not replace it.
  bool damaged_in_place = false;
  // The damaged bytes the user was last told of.
  size_t reported_hash = 0;
  size_t reported_size = 0;
};

StoreState& State() {
  static StoreState* const state = new StoreState;
  return *state;
}

std::u16string AsideName(int attempt) {
  std::u16string name = SettingsFolder() + std::u16string(kDamagedProfileFileName);
  if (attempt > 1) {
    const std::string number = std::to_string(attempt);
    name += u'-';
    name.append(number.begin(), number.end());
  }
  return name + u".json";
}

bool KeepAside(const std::u16string& path) {
  for (int attempt = 1; attempt <= kAsideAttempts; ++attempt) {
    if (RenameFileKeepingOthers(path, AsideName(attempt))) return true;
  }
  return false;
}

void ReportOnce(SettingsView& view, std::string_view damaged) {
  StoreState& state = State();
  const size_t hash = std::hash<std::string_view>{}(damaged);
  if (state.reported_hash == hash && state.reported_size == damaged.size()) return;
  state.reported_hash = hash;
  state.reported_size = damaged.size();
  view.ShowMessage(LanguageText(u"profiles damaged"));
}

}  // namespace

std::u16string ProfileFilePath() { return SettingsFolder() + std::u16string(kProfileFileName); }

void LoadProgramProfiles(SettingsView& view) {
  const SettingsChange serialise;
  StoreState& state = State();
  state.loaded = true;
  state.damaged_in_place = false;
  const std::u16string path = ProfileFilePath();
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) {
    ReplaceProgramProfiles({});
    return;
  }
  ProfileDocument read = ReadProfileDocument(DocumentText(bytes));
  const bool damaged = read.damaged;
  ReplaceProgramProfiles(std::move(read.profiles));
  if (!damaged) return;
  ReportOnce(view, DocumentText(bytes));
  if (!KeepAside(path)) {
    state.damaged_in_place = true;
    return;
  }
  // What could be read, so the next load finds it, and the user's next
  // change does not lose it.
  ReplaceFileContents(path, FormatProfileDocument(CopyProgramProfileList()));
}

bool SaveProgramProfiles() {
  const SettingsChange serialise;
  StoreState& state = State();
  if (!state.loaded) return false;
  const std::u16string path = ProfileFilePath();
  if (state.damaged_in_place) {
    if (!KeepAside(path)) return false;
    state.damaged_in_place = false;
  }
  const std::string document = FormatProfileDocument(CopyProgramProfileList());
  std::vector<uint8_t> current;
  if (ReadWholeFile(path, current) && current.size() == document.size() &&
      std::memcmp(current.data(), document.data(), document.size()) == 0)
    return true;
  return ReplaceFileContents(path, document);
}

}  // namespace tessaro
