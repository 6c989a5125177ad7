#include "support/fake_vxlib.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "catalog/utf.h"
#include "vxlib/app_profiles.h"
#include "vxlib/hex.h"
#include "vxlib/trigger_table.h"

namespace fake_vxlib {
namespace {

struct State {
  std::mutex mutex;
  std::vector<Call> calls;
  vxlib::TriggerTable triggers;
  vxlib::AppProfiles profiles;
  std::vector<VX_ITEM_DEF> devices;
  VX_CALLBACK callback = nullptr;
  int slowdown = 0;
  bool win11 = true;
};

State& S() {
  static State state;
  return state;
}

void Log(Call call) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back(std::move(call));
}

std::u16string Text(const char16_t* t) { return t ? std::u16string(t) : std::u16string(); }

}  // namespace

void Reset() {
  std::lock_guard lock(S().mutex);
  S().calls.clear();
  S().triggers.Clear();
  S().profiles.Clear();
  S().devices.clear();
  S().callback = nullptr;
  S().slowdown = 0;
  S().win11 = true;
}

std::vector<Call> Calls() {
  std::lock_guard lock(S().mutex);
  return S().calls;
}

std::vector<Call> CallsNamed(const std::string& op) {
  std::vector<Call> out;
  for (auto& c : Calls())
    if (c.op == op) out.push_back(c);
  return out;
}

std::vector<VX_TRIGGER_DEF> InstalledTriggers() {
  std::lock_guard lock(S().mutex);
  return S().triggers.triggers();
}

std::vector<vxlib::AppProfile> Profiles() {
  std::lock_guard lock(S().mutex);
  return S().profiles.profiles();
}

void SetDevices(const std::vector<VX_ITEM_DEF>& devices) {
  std::lock_guard lock(S().mutex);
  S().devices = devices;
}

VX_CALLBACK Callback() {
  std::lock_guard lock(S().mutex);
  return S().callback;
}

int SlowdownModifier() {
  std::lock_guard lock(S().mutex);
  return S().slowdown;
}

void SetWin11(bool win11) {
  std::lock_guard lock(S().mutex);
  S().win11 = win11;
}

}  // namespace fake_vxlib

using fake_vxlib::Call;
using fake_vxlib::Log;
using fake_vxlib::S;

extern "C" {

int VX_SetCutCursor(int cursor_id, void*, const int*, void*) {
  Log({"VX_SetCutCursor", {}, {cursor_id}, {}});
  return 1;
}
void VX_SetHinst(void*) { Log({"VX_SetHinst", {}, {}, {}}); }
int VX_InitLib(VX_CALLBACK callback, const VX_FILTER_DEF*, int count) {
  {
    std::lock_guard lock(S().mutex);
    S().callback = callback;
  }
  Log({"VX_InitLib", {}, {count}, {}});
  return 1;
}
int VX_GetDeviceCount(void) {
  std::lock_guard lock(S().mutex);
  return static_cast<int>(S().devices.size());
}
VX_ITEM_DEF VX_GetDeviceInfoByIndex(int index) {
  std::lock_guard lock(S().mutex);
  VX_ITEM_DEF item{};
  if (index >= 0 && static_cast<size_t>(index) < S().devices.size()) item = S().devices[index];
  return item;
}
int VX_RefreshInfo(void) {
  Log({"VX_RefreshInfo", {}, {}, {}});
  return 1;
}
int VX_SetTriggerEvent(VX_TRIGGER_DEF trigger) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back({"VX_SetTriggerEvent", trigger, {}, {}});
  S().triggers.Set(trigger);
  return 1;
}
int VX_RemoveModelTriggerEvent(VX_TRIGGER_DEF trigger) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back({"VX_RemoveModelTriggerEvent", trigger, {}, {}});
  S().triggers.Remove(trigger);
  return 1;
}
int VX_ClearAllTriggerEvent(void) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back({"VX_ClearAllTriggerEvent", {}, {}, {}});
  S().triggers.Clear();
  return 1;
}
int VX_SetSlowdoenModifier(int modifiers, int count) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back({"VX_SetSlowdoenModifier", {}, {modifiers, count}, {}});
  S().slowdown = modifiers;
  return 1;
}
int vx_checkFunctionClose(void) {
  Log({"vx_checkFunctionClose", {}, {}, {}});
  return 1;
}
int VX_SetErrStr(int index, const char16_t* text) {
  Log({"VX_SetErrStr", {}, {index}, fake_vxlib::Text(text)});
  return 1;
}
int VX_SetFontSize(const char16_t* font_name, int size) {
  Log({"VX_SetFontSize", {}, {size}, fake_vxlib::Text(font_name)});
  return 1;
}
int VX_MISC_CreateRoundPath(void*, int x, int y, int width, int height, int radius, int) {
  Log({"VX_MISC_CreateRoundPath", {}, {x, y, width, height, radius}, {}});
  return 1;
}
int VX_MISC_Hex2Dec(const char16_t* text) { return text ? vxlib::HexToInt(text) : 0; }
bool isWin11(void) {
  std::lock_guard lock(S().mutex);
  return S().win11;
}
int VX_Stop(void) {
  Log({"VX_Stop", {}, {}, {}});
  return 1;
}
int VX_SetButtonMask(uint32_t handle, uint32_t m1, uint32_t m2, uint32_t m3, uint32_t sub_id) {
  Log({"VX_SetButtonMask",
       {},
       {static_cast<int>(handle), static_cast<int>(m1), static_cast<int>(m2), static_cast<int>(m3),
        static_cast<int>(sub_id)},
       {}});
  return 1;
}
int VX_SetAppProfile(const char16_t* program, const VX_TRIGGER_DEF* triggers, int count) {
  std::lock_guard lock(S().mutex);
  S().calls.push_back({"VX_SetAppProfile", {}, {count}, fake_vxlib::Text(program)});
  if (!program || count < 0 || (count > 0 && !triggers)) return 0;
  return S().profiles.Set(program, {triggers, static_cast<size_t>(count)}) ? 1 : 0;
}
int VX_FreeLib(void) {
  Log({"VX_FreeLib", {}, {}, {}});
  return 1;
}

}  // extern "C"
