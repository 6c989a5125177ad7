// Recording stand-ins for the main window's sides that the settings load,
// device detection and the driver's events talk to. Each call is logged as
// one line of text, in order. The main window's timers run on a fake clock
// that the test moves on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "catalog/settings_view.h"
#include "device/main_window.h"

namespace test_support {

class RecordingSettingsView : public tessaro::SettingsView {
 public:
  // Logged with the stored values at the time of the call.
  void ShowSlowdown() override;
  void StopRepaintTimer() override;
  void InvalidateWindow() override;
  void ShowMessage(std::u16string_view text) override;

  std::vector<std::string> calls;  // e.g. "ShowSlowdown 1 4", "ShowMessage errr"
};

class FakeMainWindow : public tessaro::MainWindowControl {
 public:
  void RestartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void InvalidateWindow() override;
  void RedrawModelLayer() override;
  void RebuildFunctionMenu() override;

  // Moves the clock on; each timer that comes due fires once (one-shot) and
  // is logged in fired with the time it fired.
  void Advance(int milliseconds);

  std::vector<std::string> calls;  // e.g. "RestartTimer 1 80", "RebuildFunctionMenu"
  struct Fired {
    int id;
    int at;
    bool operator==(const Fired&) const = default;
  };
  std::vector<Fired> fired;
  int now = 0;

 private:
  std::map<int, int> due_;  // timer id -> time it fires
};

}  // namespace test_support
