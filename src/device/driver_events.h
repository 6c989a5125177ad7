// The driver library's event callback: device changes start a detection or
// a delayed refresh, window activations may close the popup list, keys go
// to the key capture dialog. Portable: the windows it touches are reached
// through the interfaces below, which the main dialog fills in.
#pragma once

#include <cstdint>

#include "device/main_window.h"
#include "vxlib.h"

namespace tessaro {

// The popup list and the window tree it lives in. Windows are the
// platform's handles, compared and passed on, never read.
class PopupListWindows {
 public:
  virtual ~PopupListWindows() = default;
  virtual bool PopupListExists() = 0;
  virtual void HidePopupList() = 0;
  virtual void* MainWindow() = 0;
  // The window's parent, or null at the top.
  virtual void* ParentWindow(void* window) = 0;
};

class KeyCaptureInput {
 public:
  virtual ~KeyCaptureInput() = default;
  virtual bool KeyCaptureVisible() = 0;
  // scan_code: extended keys carry 0xE000 added; key_down: nonzero when pressed.
  virtual void KeyCaptureKey(int32_t virtual_key, int32_t scan_code, int32_t key_down) = 0;
};

struct DriverEventTargets {
  MainWindowControl& window;
  PopupListWindows& popup;
  KeyCaptureInput& key_capture;
};

// Delay from the last "devices ready" event of a burst to the refresh.
inline constexpr int kDeviceScanDelayMs = 30;

// Dispatches one event on the thread the library delivers it on:
//  0, 2  device detection;
//  4     restarts the device scan timer at 30 ms, so a burst makes one scan;
//  6     device detection, then the model picture and the window redrawn;
//  10    while the popup list exists, hides it unless the activated window
//        lies below the main window (the main window itself hides it too);
//  11    state 1 stops the refresh-info timer;
//  13    hands the key to the key capture dialog while it is visible;
//  others (and 8) nothing. Events whose data is missing are ignored.
void HandleDriverEvent(const VX_CALLBACK_EVENT& event, DriverEventTargets& targets);

// The callback handed to VX_InitLib: dispatches to the targets installed
// here (the main dialog installs them before VX_InitLib and removes them,
// with null, after VX_FreeLib). Without targets, events are dropped.
void SetDriverEventTargets(DriverEventTargets* targets);
void DriverEventCallback(VX_CALLBACK_EVENT event);

}  // namespace tessaro
