#include "vxlib/scenario_file_win.h"

#include <windows.h>

#include <string>

#include "vxlib/unique_handle_win.h"

namespace vxlib {

namespace {

// A scenario lists a handful of devices; anything near this is not one.
constexpr DWORD kMaxScenarioBytes = 1 << 20;

std::wstring ScenarioPath() {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"VXLIB_SCENARIO", value, MAX_PATH * 2);
  if (length > 0 && length < MAX_PATH * 2) return std::wstring(value, length);

  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path + L"vxlib_scenario.json";
}

std::string ReadSmallFile(const std::wstring& path) {
  UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxScenarioBytes) return {};
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  return text;
}

}  // namespace

bool ScenarioGiven() {
  if (GetEnvironmentVariableW(L"VXLIB_SCENARIO", nullptr, 0) > 0) return true;
  const std::wstring path = ScenarioPath();
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<SimDevice> LoadScenarioDevices() {
  const std::wstring path = ScenarioPath();
  if (path.empty()) return {};
  return ParseScenario(ReadSmallFile(path));
}

}  // namespace vxlib
