// Serves the simulation's control channel: the named pipe
// \\.\pipe\vxlib-sim-<process id>, one client at a time, one command line
// in and one reply line out. The pipe's thread only answers and posts
// events; it never calls the program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "vxlib/unique_handle_win.h"

namespace vxlib {

class ControlServer {
 public:
  // The reply to one line, without its line end.
  using Handler = std::function<std::string(std::string_view line)>;

  // The longest command line; a longer one ends the client's connection.
  static constexpr size_t kMaxLine = 64 * 1024;

  static std::wstring PipeName(DWORD process_id);

  // Creates the pipe (so that a client can connect as soon as this
  // returns) and the thread serving it; null if either fails.
  static std::unique_ptr<ControlServer> Start(Handler handler);
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;
  // Ends the connection and joins the thread.
  ~ControlServer();

 private:
  ControlServer(UniqueHandle pipe, UniqueHandle stop, Handler handler);
  void Run();
  void Serve();
  // Waits for an overlapped operation; false when it failed or the
  // server is stopping (the operation is then cancelled and finished).
  bool Finish(BOOL started, OVERLAPPED& overlapped, DWORD& bytes);
  bool WriteAll(std::string_view data);

  UniqueHandle pipe_;
  UniqueHandle stop_;
  UniqueHandle io_event_;
  Handler handler_;
  std::thread thread_;
};

}  // namespace vxlib
