#include "device/button_setting.h"

#include <algorithm>
#include <mutex>

namespace tessaro {

// Both live until the process ends: a refresh worker may still be running
// while the process exits, and must not find them destroyed.
SettingLock& ButtonSettingLock() {
  static SettingLock* const lock = CreateButtonSettingLock().release();
  return *lock;
}

ButtonSettingArray& ButtonSettingList() {
  static ButtonSettingArray* const list = new ButtonSettingArray;
  return *list;
}

ButtonSettingArray CopyButtonSettingList() {
  std::lock_guard hold(ButtonSettingLock());
  return ButtonSettingList();
}

VX_TRIGGER_DEF ModelTrigger(const MODEL_DEF& model) {
  VX_TRIGGER_DEF trigger{};
  trigger.model_id = static_cast<uint16_t>(model.model_id);
  trigger.pid = static_cast<uint16_t>(model.pid);
  trigger.vid = static_cast<uint16_t>(model.vid);
  trigger.usb_vid = static_cast<uint32_t>(model.usb_vid);
  trigger.usb_pid = static_cast<uint32_t>(model.usb_pid);
  trigger.swap45 = static_cast<uint8_t>(model.swap45);
  return trigger;
}

bool TriggerOfModel(const VX_TRIGGER_DEF& trigger, const MODEL_DEF& model) {
  const VX_TRIGGER_DEF own = ModelTrigger(model);
  return trigger.model_id == own.model_id && trigger.usb_pid == own.usb_pid && trigger.usb_vid == own.usb_vid &&
         trigger.pid == own.pid && trigger.vid == own.vid;
}

ListChange ApplyToList(ButtonSettingArray& list, const BUTTON_SETTING_DEF& setting, TriggerIdentityIndex* index) {
  auto found = list.end();
  if (index) {
    if (const auto position = index->Find(setting.trigger))
      found = list.begin() + static_cast<std::ptrdiff_t>(*position);
  } else {
    found = std::find_if(list.begin(), list.end(), [&](const BUTTON_SETTING_DEF& entry) {
      return SameTriggerIdentity(entry.trigger, setting.trigger);
    });
  }
  const bool remove = setting.trigger.function.type == kNoAssignmentType;
  if (found == list.end()) {
    if (remove) return {};
    list.push_back(setting);
    if (index) index->Add(setting.trigger, list.size() - 1);
    return {ListChange::kInstall, list.back().trigger};
  }
  if (remove) {
    // The driver is told the trigger it holds, old function included.
    const ListChange change{ListChange::kRemove, found->trigger};
    list.erase(found);
    if (index)
      index->Rebuild(list, [](const BUTTON_SETTING_DEF& entry) -> const VX_TRIGGER_DEF& { return entry.trigger; });
    return change;
  }
  *found = setting;
  return {ListChange::kInstall, found->trigger};
}

void ApplyButtonSetting(const BUTTON_SETTING_DEF& setting, TriggerIdentityIndex* index) {
  std::lock_guard hold(ButtonSettingLock());
  const ListChange change = ApplyToList(ButtonSettingList(), setting, index);
  if (change.kind == ListChange::kInstall) VX_SetTriggerEvent(change.trigger);
  if (change.kind == ListChange::kRemove) VX_RemoveModelTriggerEvent(change.trigger);
}

}  // namespace tessaro
