// What device detection and the driver library's events ask of the main
// window. The main dialog implements it; native tests record the calls.
// Callers may be on any thread: an implementation hands timer work to the
// window's own thread (by posting) and never waits for that thread.
#pragma once

namespace tessaro {

// Timers of the main window; all are one-shot.
enum MainWindowTimer : int {
  kRepaintTimer = 1,     // invalidates the whole window
  kDeviceScanTimer = 2,  // starts a device refresh
  kRefreshInfoTimer = 900,
};

class MainWindowControl {
 public:
  virtual ~MainWindowControl() = default;
  // Stops the timer if it runs and starts it to fire once after milliseconds.
  virtual void RestartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
  // Invalidates the whole window without erasing it.
  virtual void InvalidateWindow() = 0;
  // Has the renderer reload the model picture at the next paint.
  virtual void RedrawModelLayer() = 0;
  // Rebuilds the column of button markers for the selected model.
  virtual void RebuildFunctionMenu() = 0;
};

}  // namespace tessaro
