// One run of the library, from VX_InitLib to VX_FreeLib: the backend,
// the window that delivers its events on the caller's thread, and the
// simulation's control channel. With a scenario the simulation serves the
// program, without one the real PC.
#pragma once

#include <memory>
#include <span>

#include "vxlib/control_server_win.h"
#include "vxlib/event_window_win.h"
#include "vxlib/library_settings.h"
#include "vxlib/sim_backend.h"

namespace vxlib {

class Session {
 public:
  // On the thread that is to receive the events. settings outlives the
  // session. Null when the event window cannot be made.
  static std::unique_ptr<Session> Open(VX_CALLBACK callback, std::span<const VX_FILTER_DEF> filters,
                                       const LibrarySettings& settings);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  // Joins the channel's thread, stops the backend, destroys the window.
  ~Session();

  Backend& backend() { return *backend_; }
  // The backend stops and no event is delivered any more; the channel
  // still answers "state" until the session ends. Any thread, at any time.
  void Stop();

 private:
  Session(std::unique_ptr<EventWindow> window, std::unique_ptr<Backend> backend);

  std::unique_ptr<EventWindow> window_;
  std::unique_ptr<Backend> backend_;
  std::unique_ptr<ControlServer> control_;
};

}  // namespace vxlib
