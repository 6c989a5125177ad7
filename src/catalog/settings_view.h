// What a settings load shows in the main window. The main dialog implements
// it; tests record the calls. A load runs on a refresh worker and calls
// these while it holds the settings lock, so an implementation must not
// wait for the user-interface thread (post, never send).
#pragma once

#include <string_view>

namespace tessaro {

class SettingsView {
 public:
  virtual ~SettingsView() = default;
  // The slowdown controls show the stored settings (SlowdownEnabled,
  // SlowdownModifier) as they are when the window gets to it, not as the
  // load read them: a change the user made meanwhile is what is stored.
  virtual void ShowSlowdown() = 0;
  // Stops the repaint timer (timer 1).
  virtual void StopRepaintTimer() = 0;
  virtual void InvalidateWindow() = 0;
  // A message box owned by the main window.
  virtual void ShowMessage(std::u16string_view text) = 0;
};

}  // namespace tessaro
