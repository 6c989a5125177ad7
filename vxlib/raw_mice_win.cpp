#include "vxlib/raw_mice_win.h"

#include <string>

namespace vxlib {

namespace {

std::optional<UsbIds> IdsOf(HANDLE device) {
  UINT chars = 0;
  if (GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, nullptr, &chars) != 0 || chars == 0) return std::nullopt;
  std::wstring name(chars, L'\0');
  if (GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, name.data(), &chars) == static_cast<UINT>(-1)) {
    return std::nullopt;
  }
  return UsbIdsFromDeviceName(std::u16string_view(reinterpret_cast<const char16_t*>(name.c_str())));
}

}  // namespace

std::vector<RawMouse> EnumerateMice() {
  std::vector<RAWINPUTDEVICELIST> list;
  for (;;) {
    UINT count = 0;
    if (GetRawInputDeviceList(nullptr, &count, sizeof(RAWINPUTDEVICELIST)) != 0) return {};
    list.resize(count);
    if (count == 0) break;
    const UINT got = GetRawInputDeviceList(list.data(), &count, sizeof(RAWINPUTDEVICELIST));
    if (got != static_cast<UINT>(-1)) {
      list.resize(got);
      break;
    }
    // A device arrived between the two calls: ask again.
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
  }
  std::vector<RawMouse> mice;
  for (const auto& d : list) {
    if (d.dwType == RIM_TYPEMOUSE) mice.push_back({d.hDevice, IdsOf(d.hDevice)});
  }
  return mice;
}

}  // namespace vxlib
