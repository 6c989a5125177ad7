#include "device/driver_events.h"

#include <atomic>

#include "device/device_detection.h"

namespace tessaro {
namespace {

std::atomic<DriverEventTargets*> installed_targets{nullptr};

// Deep enough for any real window tree; a parent chain that loops (a
// handle reused while the event was on its way) must not hang the thread.
constexpr int kMaxWindowDepth = 256;

bool LiesInsideMainWindow(void* window, PopupListWindows& windows) {
  void* const main = windows.MainWindow();
  for (int depth = 0; window != nullptr && depth < kMaxWindowDepth; ++depth) {
    if (window == main) return true;
    window = windows.ParentWindow(window);
  }
  return false;
}

void OnWindowActivated(const VX_EVENT_WINDOW& data, PopupListWindows& popup) {
  if (!popup.PopupListExists()) return;
  // The popup list and its sub-list lie below the main window: activating
  // them keeps the list open; anything else, the main window included,
  // closes it.
  if (data.window == popup.MainWindow() || !LiesInsideMainWindow(data.window, popup)) popup.HidePopupList();
}

}  // namespace

void HandleDriverEvent(const VX_CALLBACK_EVENT& event, DriverEventTargets& targets) {
  switch (event.kind) {
    case VX_EVENT_DEVICE_ARRIVED:
    case VX_EVENT_DEVICE_REMOVED:
      DetectDevices(targets.window);
      break;
    case VX_EVENT_DEVICES_READY:
      targets.window.RestartTimer(kDeviceScanTimer, kDeviceScanDelayMs);
      break;
    case VX_EVENT_DEVICE_CHANGED:
      DetectDevices(targets.window);
      targets.window.RedrawModelLayer();
      targets.window.InvalidateWindow();
      break;
    case VX_EVENT_WINDOW_ACTIVATED:
      if (event.data) OnWindowActivated(*static_cast<const VX_EVENT_WINDOW*>(event.data), targets.popup);
      break;
    case VX_EVENT_STATE_CHANGED:
      if (event.data && static_cast<const VX_EVENT_STATE*>(event.data)->state == 1)
        targets.window.StopTimer(kRefreshInfoTimer);
      break;
    case VX_EVENT_KEY_INPUT:
      if (event.data && targets.key_capture.KeyCaptureVisible()) {
        const auto& key = *static_cast<const VX_EVENT_KEY*>(event.data);
        targets.key_capture.KeyCaptureKey(key.virtual_key, key.scan_code, key.key_down);
      }
      break;
    default:
      break;
  }
}

void SetDriverEventTargets(DriverEventTargets* targets) { installed_targets = targets; }

void DriverEventCallback(VX_CALLBACK_EVENT event) {
  if (DriverEventTargets* targets = installed_targets.load()) HandleDriverEvent(event, *targets);
}

}  // namespace tessaro
