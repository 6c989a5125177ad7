// When two trigger records denote the same button event. The program and
// the driver library both decide replacement and removal by this, and both
// find a record among many of them through TriggerIdentityIndex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "vxlib.h"

inline bool SameTriggerIdentity(const VX_TRIGGER_DEF& a, const VX_TRIGGER_DEF& b) {
  return a.hid_button == b.hid_button && a.mouse_button == b.mouse_button && a.model_id == b.model_id &&
         a.pid == b.pid && a.vid == b.vid && a.usb_vid == b.usb_vid && a.usb_pid == b.usb_pid &&
         a.hid_num_down == b.hid_num_down && a.hid_num_up == b.hid_num_up && a.tilt_mask == b.tilt_mask;
}

// Positions of records in a list by their identity, so a run of
// replacements costs one look-up each instead of a walk of the list. The
// owner keeps it in step with the list: Add for an appended record,
// Rebuild after a removal (positions after it move).
class TriggerIdentityIndex {
 public:
  std::optional<size_t> Find(const VX_TRIGGER_DEF& trigger) const {
    const auto it = positions_.find(Key::Of(trigger));
    if (it == positions_.end()) return std::nullopt;
    return it->second;
  }
  void Add(const VX_TRIGGER_DEF& trigger, size_t position) { positions_.emplace(Key::Of(trigger), position); }
  void Clear() { positions_.clear(); }
  // trigger_of(record) gives each record's trigger; the first of an
  // identity wins, as a walk of the list would find it.
  template <class List, class TriggerOf>
  void Rebuild(const List& list, TriggerOf trigger_of) {
    positions_.clear();
    positions_.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) Add(trigger_of(list[i]), i);
  }

 private:
  struct Key {
    uint32_t hid_button, mouse_button, usb_vid, usb_pid;
    uint16_t model_id, pid, vid;
    uint8_t hid_num_down, hid_num_up, tilt_mask;
    static Key Of(const VX_TRIGGER_DEF& t) {
      return {t.hid_button, t.mouse_button, t.usb_vid,      t.usb_pid,    t.model_id,
              t.pid,        t.vid,          t.hid_num_down, t.hid_num_up, t.tilt_mask};
    }
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct Hash {
    size_t operator()(const Key& k) const {
      uint64_t h = 1469598103934665603ull;
      for (uint64_t v : {uint64_t{k.hid_button}, uint64_t{k.mouse_button}, uint64_t{k.usb_vid}, uint64_t{k.usb_pid},
                         uint64_t{k.model_id} << 32 | uint64_t{k.pid} << 16 | k.vid,
                         uint64_t{k.hid_num_down} << 16 | uint64_t{k.hid_num_up} << 8 | k.tilt_mask})
        h = (h ^ v) * 1099511628211ull;
      return static_cast<size_t>(h ^ (h >> 29));
    }
  };
  std::unordered_map<Key, size_t, Hash> positions_;
};
