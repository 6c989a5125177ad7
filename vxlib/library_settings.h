// What the program tells the library about its user interface: the error
// texts, the font, the cursors and its instance. The program sets some of
// these before VX_InitLib, so they live apart from the backend.
// Thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vxlib {

struct CursorSet {
  int cursor_id = 0;
  std::vector<int> cursor_ids;
};

struct SettingsSnapshot {
  std::map<int, std::u16string> error_texts;  // by index
  std::u16string font_name;
  int font_size = 0;
  CursorSet cursors;
  uint64_t instance = 0;
};

class LibrarySettings {
 public:
  // Texts are read up to their terminator or kMaxText units; null is empty.
  static constexpr size_t kMaxText = 4096;
  // VX_SetCutCursor's table holds this many cursor ids.
  static constexpr size_t kCursorCount = 6;

  void SetErrorText(int index, const char16_t* text);
  void SetFont(const char16_t* name, int size);
  // ids may be null: no table.
  void SetCursors(int cursor_id, const int* ids);
  void SetInstance(uint64_t instance);
  void Reset();
  SettingsSnapshot Snapshot() const;

 private:
  mutable std::mutex mutex_;
  SettingsSnapshot settings_;
};

}  // namespace vxlib
