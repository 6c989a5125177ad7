// Button assignments: the record that pairs a function's display name with
// its driver trigger, the process-wide list of them, and the one operation
// that keeps the list and the driver library's triggers in step.
#pragma once

#include <cstddef>
#include <vector>

#include "catalog/model_catalogue.h"
#include "device/setting_lock.h"
#include "trigger_identity.h"
#include "vxlib.h"

namespace tessaro {

inline constexpr size_t kFunctionNameUnits = 64;

// One assignment. Plain data, copied by value; builders start from a zeroed
// record.
struct BUTTON_SETTING_DEF {
  char16_t function_name[kFunctionNameUnits];  // zero-terminated, at most 63 units
  VX_TRIGGER_DEF trigger;                      // handed to the driver unchanged
};

static_assert(sizeof(BUTTON_SETTING_DEF) == 2 * kFunctionNameUnits + sizeof(VX_TRIGGER_DEF));
static_assert(offsetof(BUTTON_SETTING_DEF, function_name) == 0);
static_assert(offsetof(BUTTON_SETTING_DEF, trigger) == 128);

// Marks a function block that assigns nothing: applying it removes the
// trigger so the button does its own action again.
inline constexpr uint8_t kNoAssignmentType = 255;

// Slot numbers, which name a trigger to the driver but take no part in its
// identity: a function chosen in the menu for button p of catalogue model m;
// a model's default for its HID entry u (programmed by every settings
// load). An assignment restored from the file has its position there.
inline uint16_t MenuSlot(int model_index, int button) { return static_cast<uint16_t>(button + 16 * model_index); }
inline uint16_t DefaultSlot(int model_index, int hid_entry) {
  return static_cast<uint16_t>(3000 + 12 * model_index + hid_entry);
}

using ButtonSettingArray = std::vector<BUTTON_SETTING_DEF>;

// The lock that guards ButtonSettingList. Created on first use, so it exists
// before anyone can take it; waits are without time-out. Hold it only for
// the list itself: no settings load or save inside it.
SettingLock& ButtonSettingLock();

// The assignments in the order they were first made; no two share a trigger
// identity. Starts empty. Walk, grow or empty it only while holding
// ButtonSettingLock.
ButtonSettingArray& ButtonSettingList();

// A copy of the list taken under the lock.
ButtonSettingArray CopyButtonSettingList();

// A zeroed trigger carrying the model's identifiers (model id, pid and vid
// in 16 bits, the USB ids whole) and swap45; the caller adds the button.
VX_TRIGGER_DEF ModelTrigger(const MODEL_DEF& model);

// Whether the trigger carries the model's identifiers (those ModelTrigger
// sets, swap45 aside), whatever its button.
bool TriggerOfModel(const VX_TRIGGER_DEF& trigger, const MODEL_DEF& model);

// What applying an assignment did to a list, and so what the driver library
// is to be told: the trigger to install (the entry as it stands now) or to
// remove (the entry that went, with its old function).
struct ListChange {
  enum Kind { kNone, kInstall, kRemove } kind = kNone;
  VX_TRIGGER_DEF trigger{};
};

// ApplyButtonSetting's rule on any list of assignments (below); the
// caller holds whatever guards the list. With an index of the list's
// identities the entry is found through it and the index kept in step,
// instead of walking the list.
ListChange ApplyToList(ButtonSettingArray& list, const BUTTON_SETTING_DEF& setting,
                       TriggerIdentityIndex* index = nullptr);

// Installs, replaces or removes one assignment in the list and in the
// driver library, holding the lock for both:
//  - an entry of the same identity exists: a function of type 255 removes
//    the driver's trigger (the stored one, with its old function) and the
//    entry; any other function overwrites the entry in place and installs
//    the stored trigger;
//  - none exists: type 255 does nothing; otherwise the setting is appended
//    and installed.
// With an index of the list's identities (a load's, which holds
// SettingsChange, so nothing else changes the list meanwhile), the entry is
// found through it and the index kept in step, instead of walking the list.
void ApplyButtonSetting(const BUTTON_SETTING_DEF& setting, TriggerIdentityIndex* index = nullptr);

}  // namespace tessaro
