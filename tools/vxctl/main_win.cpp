// vxctl: sends one command to the control channel of a process that runs
// the driver library's simulation and prints the reply.
//   wine vxctl.exe <process id> '<json command>'
// e.g. '{"cmd":"foreground","program":"editor.exe"}', then
// '{"cmd":"button","handle":4097,"button":"back","edge":"down"}'.
// The process id is decimal, or hexadecimal with "0x" (as winedbg lists it).
// Exit status: 0 reply "ok": true, 1 "ok": false, 2 usage or no channel.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/vxctl/pipe_client_win.h"

namespace {

std::string ToUtf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(n - 1);
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs(
        "usage: vxctl <process id> '<json command>'\n"
        "commands: plug, unplug, event, foreground, button, state (docs/VXLIB_SIMULATION.md)\n",
        stderr);
    return 2;
  }
  const wchar_t* digits = argv[1];
  const bool hex = digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X');
  if (hex) digits += 2;
  wchar_t* end = nullptr;
  const unsigned long process_id = std::wcstoul(digits, &end, hex ? 16 : 10);
  if (*digits == 0 || *end != 0) {
    std::fputs("vxctl: the process id is a decimal number or 0x and hexadecimal digits\n", stderr);
    return 2;
  }
  // The channel reads one command per line; a command written over
  // several lines is one line to it.
  std::string command = ToUtf8(argv[2]);
  for (char& c : command)
    if (c == '\n' || c == '\r') c = ' ';

  auto client = vxctl::PipeClient::Connect(static_cast<DWORD>(process_id), 5000);
  if (!client) {
    std::fprintf(stderr, "vxctl: no control channel for process %lu\n", process_id);
    return 2;
  }
  const auto reply = client->Request(command);
  if (!reply) {
    std::fputs("vxctl: the channel closed without a reply\n", stderr);
    return 2;
  }
  std::printf("%s\n", reply->c_str());
  const auto parsed = nlohmann::json::parse(*reply, nullptr, /*allow_exceptions=*/false);
  return parsed.is_object() && parsed.value("ok", false) ? 0 : 1;
}
