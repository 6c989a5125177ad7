#include "vxlib/raw_input_win.h"

#include "vxlib/event_window_win.h"
#include "vxlib/raw_mice_win.h"

namespace vxlib {

namespace {

constexpr wchar_t kClassName[] = L"VxlibRawInput";

// The registration for window, for as long as it lives.
class MouseRegistration {
 public:
  static constexpr USHORT kGenericDesktopPage = 0x01;
  static constexpr USHORT kMouseUsage = 0x02;

  explicit MouseRegistration(HWND window) {
    const RAWINPUTDEVICE device{kGenericDesktopPage, kMouseUsage, RIDEV_INPUTSINK | RIDEV_DEVNOTIFY, window};
    registered_ = RegisterRawInputDevices(&device, 1, sizeof device) != 0;
  }
  MouseRegistration(const MouseRegistration&) = delete;
  MouseRegistration& operator=(const MouseRegistration&) = delete;
  ~MouseRegistration() {
    if (!registered_) return;
    const RAWINPUTDEVICE device{kGenericDesktopPage, kMouseUsage, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&device, 1, sizeof device);
  }

 private:
  bool registered_ = false;
};

// The receiver's thread state; its window finds it through this thread's
// pointer.
struct ReceiverState {
  std::atomic<uint32_t>& last_device;
  std::atomic<bool>& report_wanted;
  HWND notices;

  static thread_local ReceiverState* current;
};

thread_local ReceiverState* ReceiverState::current = nullptr;

LRESULT CALLBACK ReceiverWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const ReceiverState* state = ReceiverState::current;
  if (state && message == WM_INPUT) {
    RAWINPUTHEADER header;
    UINT size = sizeof header;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lparam), RID_HEADER, &header, &size, sizeof header) ==
            sizeof header &&
        header.dwType == RIM_TYPEMOUSE && header.hDevice) {
      state->last_device.store(DeviceHandle(header.hDevice), std::memory_order_relaxed);
    }
    if (state->report_wanted.exchange(false)) PostMessageW(state->notices, RawInputReceiver::kReportMessage, 0, 0);
    // The default handling frees the report.
  } else if (state && message == WM_INPUT_DEVICE_CHANGE) {
    PostMessageW(state->notices, RawInputReceiver::kDeviceChangeMessage, wparam, lparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

RawInputReceiver::RawInputReceiver(std::atomic<uint32_t>& last_device, std::atomic<bool>& report_wanted, HWND notices)
    : last_device_(last_device),
      report_wanted_(report_wanted),
      notices_(notices),
      thread_([this](const auto& ready) { Run(ready); }) {}

void RawInputReceiver::Run(const std::function<void()>& ready) {
  // As the mouse hook: a report handled late puts the hook's next event
  // down to the mouse before.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  ReceiverState state{last_device_, report_wanted_, notices_};
  const CurrentOnThisThread current(state);
  RunHiddenWindow(kClassName, ReceiverWindowProc, ready, [](HWND window, const WindowLoop& loop) {
    MouseRegistration registration(window);
    loop();
  });
}

}  // namespace vxlib
