// The named events through which a start of the program talks to the
// instance that already runs: "show your window" and "end". Whoever
// creates the show event first is the running instance.
#pragma once

#include <windows.h>

#include <optional>

#include "catalog/unique_handle_win.h"

namespace tessaro {

inline constexpr wchar_t kShowEventName[] = L"QUARN_KORVANE_NEW_TESSARO_DRIVER";
inline constexpr wchar_t kCloseEventName[] = L"QUARN_KORVANE_NEW_TESSARO_DRIVER_CLOSE";

struct InstanceEvents {
  UniqueHandle show;
  UniqueHandle close;
};

// Signals the running instance's event; false when no instance has it.
// The event stays signalled until the instance's watcher takes it, so a
// request made while that watcher is between two waits is not lost.
bool SignalRunningInstance(const wchar_t* event_name);

// Creates both events for this process, or nothing when the show event
// cannot be made as this process's own: another instance holds it (or
// keeps this start from it, or its name is taken). A close event that
// cannot be made stays empty; its watcher then never starts.
std::optional<InstanceEvents> ClaimSingleInstance(const wchar_t* show_name = kShowEventName,
                                                  const wchar_t* close_name = kCloseEventName);

}  // namespace tessaro
