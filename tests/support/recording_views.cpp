#include "support/recording_views.h"

#include <algorithm>

#include "catalog/settings_store.h"
#include "catalog/utf.h"

namespace test_support {

void RecordingSettingsView::ShowSlowdown() {
  calls.push_back("ShowSlowdown " + std::to_string(tessaro::SlowdownEnabled.load()) + " " +
                  std::to_string(tessaro::SlowdownModifier.load()));
}
void RecordingSettingsView::StopRepaintTimer() { calls.push_back("StopRepaintTimer"); }
void RecordingSettingsView::InvalidateWindow() { calls.push_back("InvalidateWindow"); }
void RecordingSettingsView::ShowMessage(std::u16string_view text) {
  calls.push_back("ShowMessage " + tessaro::Utf16ToUtf8(text));
}

void FakeMainWindow::RestartTimer(int id, int milliseconds) {
  calls.push_back("RestartTimer " + std::to_string(id) + " " + std::to_string(milliseconds));
  due_[id] = now + milliseconds;
}
void FakeMainWindow::StopTimer(int id) {
  calls.push_back("StopTimer " + std::to_string(id));
  due_.erase(id);
}
void FakeMainWindow::InvalidateWindow() { calls.push_back("InvalidateWindow"); }
void FakeMainWindow::RedrawModelLayer() { calls.push_back("RedrawModelLayer"); }
void FakeMainWindow::RebuildFunctionMenu() { calls.push_back("RebuildFunctionMenu"); }

void FakeMainWindow::Advance(int milliseconds) {
  const int until = now + milliseconds;
  for (;;) {
    const auto next =
        std::min_element(due_.begin(), due_.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    if (next == due_.end() || next->second > until) break;
    now = next->second;
    fired.push_back({next->first, now});
    due_.erase(next);
  }
  now = until;
}

}  // namespace test_support
