#include "vxlib/input_sender_win.h"

#include <vector>

namespace vxlib {

namespace {

DWORD MouseFlags(MouseOp op) {
  switch (op) {
    case MouseOp::kLeftDown:
      return MOUSEEVENTF_LEFTDOWN;
    case MouseOp::kLeftUp:
      return MOUSEEVENTF_LEFTUP;
    case MouseOp::kRightDown:
      return MOUSEEVENTF_RIGHTDOWN;
    case MouseOp::kRightUp:
      return MOUSEEVENTF_RIGHTUP;
    case MouseOp::kMiddleDown:
      return MOUSEEVENTF_MIDDLEDOWN;
    case MouseOp::kMiddleUp:
      return MOUSEEVENTF_MIDDLEUP;
    case MouseOp::kXDown:
      return MOUSEEVENTF_XDOWN;
    case MouseOp::kXUp:
      return MOUSEEVENTF_XUP;
    case MouseOp::kWheel:
      return MOUSEEVENTF_WHEEL;
    case MouseOp::kHorizontalWheel:
      return MOUSEEVENTF_HWHEEL;
  }
  return 0;
}

}  // namespace

INPUT ToInput(const InputRecord& record) {
  INPUT input{};
  if (record.kind == InputRecord::Kind::kKey) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = record.key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(record.key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (IsExtendedKey(record.key) ? KEYEVENTF_EXTENDEDKEY : 0) | (record.key_up ? KEYEVENTF_KEYUP : 0);
    input.ki.dwExtraInfo = kOwnInputTag;
  } else {
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MouseFlags(record.mouse);
    // A negative wheel delta travels as its two's complement.
    input.mi.mouseData = static_cast<DWORD>(record.mouse_data);
    input.mi.dwExtraInfo = kOwnInputTag;
  }
  return input;
}

void SendBatch(const InputBatch& batch) {
  if (batch.empty()) return;
  std::vector<INPUT> inputs;
  inputs.reserve(batch.size());
  for (const auto& record : batch) inputs.push_back(ToInput(record));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

PlanContext CurrentPlanContext(bool screen_clip) {
  PlanContext context;
  context.buttons_swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  context.ctrl_down = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  context.screen_clip = screen_clip;
  return context;
}

bool ScreenClipAvailable() {
  // The tool registers its own protocol; older systems lack both.
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"ms-screenclip", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace vxlib
