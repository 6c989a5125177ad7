// What the end-to-end scripts cannot read from the X windows: the texts of
// message boxes and whether a window's thread answers.
//
//   window_probe.exe messages        one line per visible message box of
//                                    the desktop, "<title>|<text>" in UTF-8
//   window_probe.exe answers TITLE   status 0 when the visible top-level
//                                    window titled TITLE that is no message
//                                    box answers a message within 20 s, 1
//                                    when it does not, 2 when there is none
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Message boxes keep their text in a static control of this id.
constexpr int kMessageTextId = 0xFFFF;

// The window's text; a control of another process answers only when asked
// by message.
std::wstring TextOf(HWND window) {
  wchar_t text[4096] = L"";
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 20000,
                      &copied);
  return std::wstring(text, copied < std::size(text) ? copied : 0);
}

bool IsMessageBox(HWND window) {
  wchar_t class_name[64] = L"";
  GetClassNameW(window, class_name, static_cast<int>(std::size(class_name)));
  return std::wcscmp(class_name, L"#32770") == 0 && GetDlgItem(window, kMessageTextId) != nullptr;
}

std::vector<HWND> VisibleTopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void PrintUtf8(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int ListMessages() {
  for (HWND window : VisibleTopLevelWindows()) {
    if (!IsMessageBox(window)) continue;
    std::wstring text = TextOf(GetDlgItem(window, kMessageTextId));
    for (wchar_t& c : text)
      if (c == L'\r' || c == L'\n') c = L' ';
    PrintUtf8(TextOf(window) + L"|" + text + L"\n");
  }
  return 0;
}

int Answers(const wchar_t* title) {
  for (HWND window : VisibleTopLevelWindows()) {
    if (IsMessageBox(window) || TextOf(window) != title) continue;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &result) ? 0 : 1;
  }
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"messages") == 0) return ListMessages();
  if (argc == 3 && std::wcscmp(argv[1], L"answers") == 0) return Answers(argv[2]);
  std::fputs("usage: window_probe.exe messages | answers TITLE\n", stderr);
  return 2;
}
