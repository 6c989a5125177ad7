#include "wine/support/unix_command.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <sstream>

namespace tessaro::test {
namespace {

// Wine starts Linux programs but gives no handle to wait on, so the shell
// writes the exit status into a file that we poll.
std::string StatusFile() {
  static std::atomic<int> counter{0};
  std::ostringstream name;
  name << "/tmp/tessaro-wine-" << GetCurrentProcessId() << "-" << counter++ << ".status";
  return name.str();
}

std::wstring WinePath(const std::string& unix_path) {
  std::wstring path = L"Z:";
  for (char c : unix_path) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

void PumpMessagesFor(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  for (;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

bool RunUnixCommand(const std::string& command, int timeout_ms) {
  const std::string status_file = StatusFile();
  const std::wstring status_path = WinePath(status_file);
  DeleteFileW(status_path.c_str());
  const std::string script =
      command + "; echo $? > " + status_file + ".part && mv " + status_file + ".part " + status_file;
  // Wine splits the command line by Windows rules: one double-quoted
  // argument, inner double quotes escaped.
  std::wstring line = L"Z:\\bin\\sh -c \"";
  for (char c : script) {
    if (c == '"') line += L'\\';
    line += static_cast<wchar_t>(c);
  }
  line += L'"';
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  if (!PumpMessagesUntil([&] { return GetFileAttributesW(status_path.c_str()) != INVALID_FILE_ATTRIBUTES; },
                         timeout_ms))
    return false;
  int status = -1;
  if (FILE* file = _wfopen(status_path.c_str(), L"r")) {
    if (fscanf(file, "%d", &status) != 1) status = -1;
    fclose(file);
  }
  DeleteFileW(status_path.c_str());
  return status == 0;
}

bool Xdotool(const std::string& arguments) { return RunUnixCommand("xdotool " + arguments); }

bool CaptureScreen(const std::string& png_path, int x, int y, int width, int height) {
  std::ostringstream command;
  command << "import -window root -crop " << width << "x" << height << "+" << x << "+" << y << " +repage "
          << ShellQuote(png_path);
  return RunUnixCommand(command.str(), 30000);
}

}  // namespace tessaro::test
