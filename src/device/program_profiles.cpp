#include "device/program_profiles.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

#include "program_name.h"

namespace tessaro {
namespace {

void RemoveFromDriver(std::u16string_view program) {
  const std::u16string name(program);
  VX_SetAppProfile(name.c_str(), nullptr, 0);
}

bool SameTriggers(const ButtonSettingArray& a, const ButtonSettingArray& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const BUTTON_SETTING_DEF& x, const BUTTON_SETTING_DEF& y) {
                      return std::memcmp(&x.trigger, &y.trigger, sizeof x.trigger) == 0;
                    });
}

}  // namespace

ProgramProfileArray& ProgramProfileList() {
  // Never destroyed, like ButtonSettingList.
  static ProgramProfileArray* const list = new ProgramProfileArray;
  return *list;
}

ProgramProfileArray CopyProgramProfileList() {
  std::lock_guard hold(ButtonSettingLock());
  return ProgramProfileList();
}

std::optional<ButtonSettingArray> CopyProfileEntries(std::u16string_view program) {
  std::lock_guard hold(ButtonSettingLock());
  const ProgramProfile* profile = FindProgramProfile(std::as_const(ProgramProfileList()), program);
  if (!profile) return std::nullopt;
  return profile->entries;
}

ProgramProfile* FindProgramProfile(ProgramProfileArray& list, std::u16string_view program) {
  const auto found = std::find_if(list.begin(), list.end(),
                                  [&](const ProgramProfile& p) { return SameProgramName(p.program, program); });
  return found == list.end() ? nullptr : &*found;
}

const ProgramProfile* FindProgramProfile(const ProgramProfileArray& list, std::u16string_view program) {
  return FindProgramProfile(const_cast<ProgramProfileArray&>(list), program);
}

void ProgramProfileToDriver(const ProgramProfile& profile) {
  std::vector<VX_TRIGGER_DEF> triggers;
  triggers.reserve(profile.entries.size());
  for (const BUTTON_SETTING_DEF& entry : profile.entries) triggers.push_back(entry.trigger);
  // The library keeps only profiles that assign something: an empty one
  // acts as the default does anyway.
  VX_SetAppProfile(profile.program.c_str(), triggers.data(), static_cast<int>(triggers.size()));
}

bool ApplyProfileSetting(std::u16string_view program, const BUTTON_SETTING_DEF& setting) {
  std::lock_guard hold(ButtonSettingLock());
  ProgramProfile* profile = FindProgramProfile(ProgramProfileList(), program);
  if (!profile) return false;
  if (ApplyToList(profile->entries, setting).kind != ListChange::kNone) ProgramProfileToDriver(*profile);
  return true;
}

bool AddProgramProfile(std::u16string_view program, std::u16string_view path) {
  if (!ValidProgramName(program)) return false;
  std::lock_guard hold(ButtonSettingLock());
  ProgramProfileArray& list = ProgramProfileList();
  if (FindProgramProfile(list, program)) return false;
  list.push_back({std::u16string(program), std::u16string(path), {}});
  return true;
}

bool RemoveProgramProfile(std::u16string_view program) {
  std::lock_guard hold(ButtonSettingLock());
  ProgramProfileArray& list = ProgramProfileList();
  ProgramProfile* profile = FindProgramProfile(list, program);
  if (!profile) return false;
  RemoveFromDriver(profile->program);
  list.erase(list.begin() + (profile - list.data()));
  return true;
}

int RemoveProfileModelAssignments(std::u16string_view program, const MODEL_DEF& model) {
  std::lock_guard hold(ButtonSettingLock());
  ProgramProfile* profile = FindProgramProfile(ProgramProfileList(), program);
  if (!profile) return 0;
  const auto removed =
      std::erase_if(profile->entries, [&](const BUTTON_SETTING_DEF& e) { return TriggerOfModel(e.trigger, model); });
  if (removed > 0) ProgramProfileToDriver(*profile);
  return static_cast<int>(removed);
}

void ReplaceProgramProfiles(ProgramProfileArray loaded) {
  std::lock_guard hold(ButtonSettingLock());
  ProgramProfileArray& list = ProgramProfileList();
  for (const ProgramProfile& old : list) {
    if (!FindProgramProfile(std::as_const(loaded), old.program)) RemoveFromDriver(old.program);
  }
  for (const ProgramProfile& profile : loaded) {
    const ProgramProfile* old = FindProgramProfile(std::as_const(list), profile.program);
    if (!old || !SameTriggers(old->entries, profile.entries)) ProgramProfileToDriver(profile);
  }
  list = std::move(loaded);
}

}  // namespace tessaro
