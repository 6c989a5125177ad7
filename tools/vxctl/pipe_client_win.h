// A client of the driver library simulation's control channel
// (\\.\pipe\vxlib-sim-<process id>): one command line out, one reply line
// back. Header-only, so that vxctl and the Wine tests share it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "vxlib/unique_handle_win.h"

namespace vxctl {

class PipeClient {
 public:
  // Connects to the channel of that process, waiting up to timeout_ms for
  // it to appear or to be free (it serves one client at a time).
  static std::optional<PipeClient> Connect(DWORD process_id, DWORD timeout_ms) {
    const std::wstring name = L"\\\\.\\pipe\\vxlib-sim-" + std::to_wstring(process_id);
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
      vxlib::UniqueHandle pipe(
          CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      if (pipe) return PipeClient(std::move(pipe));
      const DWORD error = GetLastError();
      const ULONGLONG now = GetTickCount64();
      if (now >= deadline) return std::nullopt;
      if (error == ERROR_PIPE_BUSY) {
        WaitNamedPipeW(name.c_str(), static_cast<DWORD>(deadline - now));
      } else {
        Sleep(20);
      }
    }
  }

  // Sends command (one line, no line end) and returns the reply without
  // its line end; nullopt when the channel closed.
  std::optional<std::string> Request(std::string_view command) {
    const std::string line = std::string(command) + "\n";
    DWORD written = 0;
    if (!WriteFile(pipe_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
      return std::nullopt;
    for (;;) {
      const size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        std::string reply = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return reply;
      }
      char buffer[4096];
      DWORD read = 0;
      if (!ReadFile(pipe_.get(), buffer, sizeof buffer, &read, nullptr) || read == 0) return std::nullopt;
      pending_.append(buffer, read);
    }
  }

 private:
  explicit PipeClient(vxlib::UniqueHandle pipe) : pipe_(std::move(pipe)) {}

  vxlib::UniqueHandle pipe_;
  std::string pending_;
};

}  // namespace vxctl
