#include "vxlib/program_cache.h"

#include <algorithm>

#include "program_name.h"

namespace vxlib {

ProgramCache::~ProgramCache() {
  for (const Entry& e : entries_) {
    if (e.handle) probe_.Close(e.handle);
  }
}

ForegroundKey ProgramCache::Of(uint32_t process_id, uintptr_t window) {
  if (process_id == 0) return {};
  const auto hit = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return e.process_id == process_id && (e.handle != 0 || e.window == window);
  });
  if (hit != entries_.end()) {
    // One step forward: what is pressed on often stays near the front.
    const auto at = hit == entries_.begin() ? hit : std::prev(hit);
    std::iter_swap(at, hit);
    return {at->serial, at->key};
  }
  MakeRoom();
  ProcessProbe::Opened opened = probe_.Open(process_id);
  std::u16string key = opened.path.empty() ? std::u16string() : FoldProgramName(ProgramFileName(opened.path));
  entries_.insert(entries_.begin(), Entry{process_id, opened.handle, window, ++last_serial_, std::move(key)});
  return {entries_.front().serial, entries_.front().key};
}

void ProgramCache::MakeRoom() {
  if (entries_.size() < kCapacity) return;
  std::erase_if(entries_, [&](const Entry& e) {
    if (e.handle == 0) return true;  // good for one window only
    if (!probe_.Ended(e.handle)) return false;
    probe_.Close(e.handle);
    return true;
  });
  if (entries_.size() < kCapacity) return;
  if (entries_.back().handle) probe_.Close(entries_.back().handle);
  entries_.pop_back();
}

}  // namespace vxlib
