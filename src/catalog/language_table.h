// The language table: the texts of the current display language by key,
// and the list of languages the language menu offers.
//
// A reload on one thread never shows a reader on another a half-built
// container: the new texts are built aside and swapped in under a lock,
// and readers get copies or immutable snapshots.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "catalog/menu_row.h"

namespace tessaro {

using TextMap = std::unordered_map<std::u16string, std::u16string>;

// The current Windows language identifier.
inline std::atomic<int32_t> LanguageId{1033};
// The language current before a switch of the language menu, -1 otherwise.
inline std::atomic<int32_t> PreviousLanguageId{-1};

inline constexpr int kLanguageResourceId = 136;

class LanguageTable {
 public:
  // Loads the section of lcid (or "1033" when the document has none) from
  // AppFolder() + "language.json" when that file opens, else from the
  // embedded table; builds the language list at the first document that
  // parses. Sets the driver library's error text 0 first.
  void Load(int32_t lcid);

  // The text under key, empty when the current language lacks it.
  std::u16string Text(std::u16string_view key) const;
  // Replaces one entry of the current texts.
  void SetText(std::u16string_view key, std::u16string_view text);
  std::shared_ptr<const TextMap> Texts() const;
  // One row per language, in byte order of the section keys; the row's
  // function_index is the language identifier.
  RowArray List() const;

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const TextMap> texts_ = std::make_shared<const TextMap>();
  RowArray list_;
  bool list_pending_ = true;
};

// The application-wide table and its operations.
LanguageTable& Languages();
void LoadLanguage(int32_t lcid);
std::u16string LanguageText(std::u16string_view key);
std::shared_ptr<const TextMap> LanguageTexts();
RowArray LanguageList();

}  // namespace tessaro
