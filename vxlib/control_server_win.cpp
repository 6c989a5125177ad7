#include "vxlib/control_server_win.h"

namespace vxlib {

std::wstring ControlServer::PipeName(DWORD process_id) {
  return L"\\\\.\\pipe\\vxlib-sim-" + std::to_wstring(process_id);
}

std::unique_ptr<ControlServer> ControlServer::Start(Handler handler) {
  UniqueHandle pipe(CreateNamedPipeW(PipeName(GetCurrentProcessId()).c_str(),
                                     PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                     PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                     4096, 4096, 0, nullptr));
  UniqueHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!pipe || !stop) return nullptr;
  std::unique_ptr<ControlServer> server(new ControlServer(std::move(pipe), std::move(stop), std::move(handler)));
  if (!server->io_event_) return nullptr;
  server->thread_ = std::thread([s = server.get()] {
    try {
      s->Run();
    } catch (...) {
      // Out of memory while answering: the channel closes, the library
      // goes on.
    }
  });
  return server;
}

ControlServer::ControlServer(UniqueHandle pipe, UniqueHandle stop, Handler handler)
    : pipe_(std::move(pipe)),
      stop_(std::move(stop)),
      io_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      handler_(std::move(handler)) {}

ControlServer::~ControlServer() {
  SetEvent(stop_.get());
  if (thread_.joinable()) thread_.join();
}

bool ControlServer::Finish(BOOL started, OVERLAPPED& overlapped, DWORD& bytes) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE waits[] = {stop_.get(), overlapped.hEvent};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
    // The operation writes into this frame's OVERLAPPED and buffer: it
    // must be over before the frame goes.
    CancelIoEx(pipe_.get(), &overlapped);
    GetOverlappedResult(pipe_.get(), &overlapped, &bytes, TRUE);
    return false;
  }
  return GetOverlappedResult(pipe_.get(), &overlapped, &bytes, FALSE) != 0;
}

void ControlServer::Run() {
  while (WaitForSingleObject(stop_.get(), 0) == WAIT_TIMEOUT) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = io_event_.get();
    DWORD bytes = 0;
    const BOOL started = ConnectNamedPipe(pipe_.get(), &overlapped);
    // A client that came between creation and this call is connected
    // already.
    const bool connected = (!started && GetLastError() == ERROR_PIPE_CONNECTED) || Finish(started, overlapped, bytes);
    if (connected) Serve();
    DisconnectNamedPipe(pipe_.get());
  }
}

void ControlServer::Serve() {
  std::string pending;
  char buffer[4096];
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = io_event_.get();
    DWORD bytes = 0;
    const BOOL started = ReadFile(pipe_.get(), buffer, sizeof buffer, nullptr, &overlapped);
    if (!Finish(started, overlapped, bytes) || bytes == 0) return;
    pending.append(buffer, bytes);
    size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      std::string_view line(pending.data(), end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!line.empty() && !WriteAll(handler_(line) + "\n")) return;
      pending.erase(0, end + 1);
    }
    if (pending.size() > kMaxLine) return;
  }
}

bool ControlServer::WriteAll(std::string_view data) {
  while (!data.empty()) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = io_event_.get();
    DWORD bytes = 0;
    const BOOL started = WriteFile(pipe_.get(), data.data(), static_cast<DWORD>(data.size()), nullptr, &overlapped);
    if (!Finish(started, overlapped, bytes) || bytes == 0) return false;
    data.remove_prefix(bytes);
  }
  return true;
}

}  // namespace vxlib
