// A plain window of another program for the end-to-end scripts: it shows at
// the given screen rectangle, takes the keyboard, and appends every key and
// mouse button message it receives to a file, one line each, as
// "<message> <key or button>", e.g. "keydown 17" or "xbuttondown 1".
//
//   input_recorder.exe <log file> <left> <top> <width> <height> [<title>]
//
// The title is "Input recorder" unless given, so that copies of the
// program under other names can be told apart.
// It ends when the script kills it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

FILE* log_file = nullptr;

void Record(const char* what, unsigned long detail) {
  std::fprintf(log_file, "%s %lu\n", what, detail);
  std::fflush(log_file);
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Record("keydown", static_cast<unsigned long>(wparam));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Record("keyup", static_cast<unsigned long>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
      // A click on it is how a script gives it the keyboard.
      SetForegroundWindow(window);
      SetFocus(window);
      Record("lbuttondown", 0);
      return 0;
    case WM_XBUTTONDOWN:
      Record("xbuttondown", GET_XBUTTON_WPARAM(wparam));
      return TRUE;
    case WM_XBUTTONUP:
      Record("xbuttonup", GET_XBUTTON_WPARAM(wparam));
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6 && argc != 7) return 2;
  // Binary, so lines end in a bare newline for the scripts.
  log_file = _wfopen(argv[1], L"ab");
  if (!log_file) return 3;
  const int left = _wtoi(argv[2]), top = _wtoi(argv[3]), width = _wtoi(argv[4]), height = _wtoi(argv[5]);

  WNDCLASSW wc{};
  wc.lpfnWndProc = RecorderProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TessaroInputRecorder";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!RegisterClassW(&wc)) return 4;
  const wchar_t* title = argc == 7 ? argv[6] : L"Input recorder";
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, title, WS_POPUP | WS_VISIBLE, left, top, width, height,
                                nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return 5;
  SetForegroundWindow(window);
  SetFocus(window);
  Record("ready", 0);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::fclose(log_file);
  return 0;
}
