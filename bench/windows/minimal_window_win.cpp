// The footprint benchmark's yardstick: the least a Win32 program does to
// show a window. It opens one window titled "Minimal window", paints it,
// and closes it half a second after the first paint; started with "/stay"
// it stays until it is ended, so its memory and wake-ups can be read beside
// Tessaro's.
#include <windows.h>

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kCloseDelayMs = 500;
bool stay = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
      EndPaint(window, &paint);
      if (!stay) SetTimer(window, kCloseTimer, kCloseDelayMs, nullptr);
      return 0;
    }
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
  stay = command_line && lstrcmpiW(command_line, L"/stay") == 0;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"MinimalWindow";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, window_class.lpszClassName, L"Minimal window", WS_POPUP | WS_SYSMENU, 384, 156, 1152,
                                768, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
