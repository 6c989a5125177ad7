#include "shell/marker_column_win.h"

#include <atomic>

#include "shell/marker_column_apply.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr wchar_t kClassName[] = L"TessaroMarkerColumnRequests";
constexpr UINT kRebuildMessage = WM_APP + 1;

std::atomic<HWND> requests_window{nullptr};
// Set while a rebuild message is on its way.
std::atomic<bool> rebuild_posted{false};

void RebuildNow() {
  if (CTessaroDlg* dialog = MainDialog()) RebuildMarkerColumn(dialog->main_panel(), dialog->control());
}

}  // namespace

MarkerColumnRequests::MarkerColumnRequests() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MarkerColumnRequests::WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
  requests_window =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, window_class.hInstance, nullptr);
}

MarkerColumnRequests::~MarkerColumnRequests() {
  if (HWND window = requests_window.exchange(nullptr)) DestroyWindow(window);
  UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

void MarkerColumnRequests::Request() {
  HWND window = requests_window.load();
  if (!window) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    RebuildNow();
  } else if (!rebuild_posted.exchange(true)) {
    if (!PostMessageW(window, kRebuildMessage, 0, 0)) rebuild_posted = false;
  }
}

LRESULT CALLBACK MarkerColumnRequests::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kRebuildMessage) return DefWindowProcW(window, message, wparam, lparam);
  // Cleared first: a request made while this rebuild runs gets one more.
  rebuild_posted = false;
  RebuildNow();
  return 0;
}

}  // namespace tessaro
