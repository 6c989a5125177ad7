// What a settings load shows in the main window. The main dialog implements
// it; tests record the calls. A load runs on a refresh worker and calls
// these while it holds the settings lock, so an implementation must not
// wait for the user-interface thread (post, never send).
#pragma once

#include <cstdint>
#include <string_view>

namespace tessaro {

class SettingsView {
 public:
  virtual ~SettingsView() = default;
  // The slowdown controls take the loaded values: the check box's checked
  // state is enabled; the hotkey button shows the modifier keys' names, is
  // visible when the check box is and re-measures itself.
  virtual void ShowSlowdown(int32_t enabled, int32_t modifier) = 0;
  // Stops the repaint timer (timer 1).
  virtual void StopRepaintTimer() = 0;
  virtual void InvalidateWindow() = 0;
  // A message box owned by the main window.
  virtual void ShowMessage(std::u16string_view text) = 0;
};

}  // namespace tessaro
