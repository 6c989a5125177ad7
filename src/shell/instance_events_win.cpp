#include "shell/instance_events_win.h"

namespace tessaro {
namespace {

// Manual reset, not signalled, default security.
UniqueHandle CreateNamedEvent(const wchar_t* name) { return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, name)); }

}  // namespace

bool SignalRunningInstance(const wchar_t* event_name) {
  UniqueHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name));
  return event && SetEvent(event.get());
}

std::optional<InstanceEvents> ClaimSingleInstance(const wchar_t* show_name, const wchar_t* close_name) {
  UniqueHandle show = CreateNamedEvent(show_name);
  // Not made, for whatever reason, is another instance too: one that runs
  // elevated denies this start its event, and an instance without it could
  // not be reached by a later start, nor be told to end.
  if (!show || GetLastError() == ERROR_ALREADY_EXISTS) return std::nullopt;
  return InstanceEvents{std::move(show), CreateNamedEvent(close_name)};
}

}  // namespace tessaro
