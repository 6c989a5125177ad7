// The library's lifecycle, device, trigger and settings operations.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "vxlib.h"
#include "vxlib/crash_guard_win.h"
#include "vxlib/guard.h"
#include "vxlib/hex.h"
#include "vxlib/library_settings.h"
#include "vxlib/session_win.h"

namespace {

// The filter array the program passes has this many entries.
constexpr int kMaxFilters = 200;

struct Library {
  // Guards the session pointer only: it is never held while a library
  // thread ends, so that VX_Stop and VX_FreeLib never wait on other
  // operations, nor they on the end of the threads. An operation keeps the
  // session it uses alive.
  std::mutex mutex;
  std::shared_ptr<vxlib::Session> session;
  bool opening = false;  // VX_InitLib is starting a session
  vxlib::LibrarySettings settings;
};

Library& Lib() {
  // Never destroyed: a program that exits without VX_FreeLib must not have
  // the channel's thread joined while the loader tears the process down.
  static Library* const library = new Library;
  return *library;
}

std::shared_ptr<vxlib::Session> RunningSession() {
  Library& lib = Lib();
  std::lock_guard lock(lib.mutex);
  return lib.session;
}

// Runs body with the backend of the running session; 0 without one.
template <class F>
int WithBackend(F&& body) {
  return vxlib::Guarded(0, [&] {
    const auto session = RunningSession();
    return session ? body(session->backend()) : 0;
  });
}

}  // namespace

extern "C" {

VXAPI int VX_SetCutCursor(int cursor_id, void*, const int* cursor_ids, void*) {
  return vxlib::Guarded(0, [&] {
    Lib().settings.SetCursors(cursor_id, cursor_ids);
    return 1;
  });
}

VXAPI void VX_SetHinst(void* instance) {
  vxlib::Guarded(0, [&] {
    Lib().settings.SetInstance(reinterpret_cast<uintptr_t>(instance));
    return 1;
  });
}

VXAPI int VX_InitLib(VX_CALLBACK callback, const VX_FILTER_DEF* filters, int count) {
  return vxlib::Guarded(0, [&] {
    Library& lib = Lib();
    {
      std::lock_guard lock(lib.mutex);
      if (lib.session || lib.opening || !callback) return 0;
      lib.opening = true;
    }
    // Its threads start without the lock held; a failure must not leave
    // the library opening for ever.
    const size_t n = filters ? static_cast<size_t>(std::clamp(count, 0, kMaxFilters)) : 0;
    std::shared_ptr<vxlib::Session> session = vxlib::Guarded(std::unique_ptr<vxlib::Session>(), [&] {
      return vxlib::Session::Open(callback, {filters, n}, lib.settings);
    });
    if (session) vxlib::crash_guard::Install();
    std::lock_guard lock(lib.mutex);
    lib.opening = false;
    lib.session = std::move(session);
    return lib.session ? 1 : 0;
  });
}

VXAPI int VX_GetDeviceCount(void) {
  return WithBackend([](vxlib::Backend& b) { return static_cast<int>(b.Devices().size()); });
}

VXAPI VX_ITEM_DEF VX_GetDeviceInfoByIndex(int index) {
  VX_ITEM_DEF item{};
  WithBackend([&](vxlib::Backend& b) {
    const auto devices = b.Devices();
    if (index < 0 || static_cast<size_t>(index) >= devices.size()) return 0;
    item = devices[index];
    return 1;
  });
  return item;
}

VXAPI int VX_RefreshInfo(void) {
  return WithBackend([](vxlib::Backend& b) {
    b.RefreshDevices();
    return 1;
  });
}

VXAPI int VX_SetTriggerEvent(VX_TRIGGER_DEF trigger) {
  return WithBackend([&](vxlib::Backend& b) {
    b.SetTrigger(trigger);
    return 1;
  });
}

VXAPI int VX_RemoveModelTriggerEvent(VX_TRIGGER_DEF trigger) {
  return WithBackend([&](vxlib::Backend& b) { return b.RemoveTrigger(trigger) ? 1 : 0; });
}

VXAPI int VX_ClearAllTriggerEvent(void) {
  return WithBackend([](vxlib::Backend& b) {
    b.ClearTriggers();
    return 1;
  });
}

VXAPI int VX_SetSlowdoenModifier(int modifiers, int) {
  // Ctrl, Shift, Alt, Win: anything beyond these four bits is a caller's
  // mistake that would otherwise stay armed unnoticed.
  if (modifiers < 0 || modifiers > 15) return 0;
  return WithBackend([&](vxlib::Backend& b) {
    b.SetSlowdownModifier(modifiers);
    return 1;
  });
}

VXAPI int vx_checkFunctionClose(void) {
  // The simulation never runs a long action (such as a screen cut) that
  // Esc could end.
  return 0;
}

VXAPI int VX_SetErrStr(int index, const char16_t* text) {
  return vxlib::Guarded(0, [&] {
    Lib().settings.SetErrorText(index, text);
    return 1;
  });
}

VXAPI int VX_SetFontSize(const char16_t* font_name, int size) {
  return vxlib::Guarded(0, [&] {
    Lib().settings.SetFont(font_name, size);
    return 1;
  });
}

VXAPI int VX_MISC_Hex2Dec(const char16_t* text) {
  return vxlib::Guarded(0, [&] { return text ? vxlib::HexToInt(text) : 0; });
}

VXAPI int VX_Stop(void) {
  return vxlib::Guarded(0, [] {
    if (const auto session = RunningSession()) session->Stop();
    return 1;
  });
}

VXAPI int VX_SetButtonMask(uint32_t handle, uint32_t mask1, uint32_t mask2, uint32_t mask3, uint32_t sub_id) {
  return WithBackend([&](vxlib::Backend& b) { return b.SetButtonMask(handle, {mask1, mask2, mask3, sub_id}) ? 1 : 0; });
}

VXAPI int VX_SetAppProfile(const char16_t* program, const VX_TRIGGER_DEF* triggers, int count) {
  if (!program || count < 0 || count > VX_PROFILE_TRIGGERS_MAX || (count > 0 && !triggers)) return 0;
  // Read no further than a name may be long.
  size_t length = 0;
  while (length <= VX_PROGRAM_NAME_MAX && program[length] != 0) ++length;
  if (length > VX_PROGRAM_NAME_MAX) return 0;
  return WithBackend([&](vxlib::Backend& b) {
    return b.SetAppProfile({program, length}, {triggers, static_cast<size_t>(count)}) ? 1 : 0;
  });
}

VXAPI int VX_FreeLib(void) {
  return vxlib::Guarded(0, [] {
    Library& lib = Lib();
    std::shared_ptr<vxlib::Session> session;
    {
      std::lock_guard lock(lib.mutex);
      session = std::move(lib.session);
      lib.settings.Reset();
    }
    if (!session) return 1;
    // Ends here unless an operation of another thread still uses it; that
    // one ends it when done, since the session is stopped already.
    session->Stop();
    session.reset();
    vxlib::crash_guard::Uninstall();
    return 1;
  });
}

}  // extern "C"
