#include "vxlib/library_settings.h"

namespace vxlib {

namespace {

std::u16string BoundedText(const char16_t* text) {
  std::u16string out;
  if (!text) return out;
  while (out.size() < LibrarySettings::kMaxText && text[out.size()] != 0) out.push_back(text[out.size()]);
  return out;
}

}  // namespace

void LibrarySettings::SetErrorText(int index, const char16_t* text) {
  auto value = BoundedText(text);
  std::lock_guard lock(mutex_);
  settings_.error_texts[index] = std::move(value);
}

void LibrarySettings::SetFont(const char16_t* name, int size) {
  auto value = BoundedText(name);
  std::lock_guard lock(mutex_);
  settings_.font_name = std::move(value);
  settings_.font_size = size;
}

void LibrarySettings::SetCursors(int cursor_id, const int* ids) {
  CursorSet cursors{cursor_id, {}};
  if (ids) cursors.cursor_ids.assign(ids, ids + kCursorCount);
  std::lock_guard lock(mutex_);
  settings_.cursors = std::move(cursors);
}

void LibrarySettings::SetInstance(uint64_t instance) {
  std::lock_guard lock(mutex_);
  settings_.instance = instance;
}

void LibrarySettings::Reset() {
  std::lock_guard lock(mutex_);
  settings_ = {};
}

SettingsSnapshot LibrarySettings::Snapshot() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

}  // namespace vxlib
