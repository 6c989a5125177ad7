// Entry point of Tessaro.exe (placeholder window until the main dialog lands).
#include <windows.h>

#include <string>
#include <vector>

#include "catalog/package.h"
#include "catalog/package_password.h"

namespace {

// The module file name, however long (GetModuleFileNameW cuts silently).
std::u16string ModuleFileName() {
  std::u16string name(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(name.data()),
                                            static_cast<DWORD>(name.size()));
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

// Opens the three packages as the main dialog will; the skin document is
// read and dropped until the skin reader takes it.
void LoadPackages() {
  tessaro::SetAppFolderFromModuleName(ModuleFileName());
  const auto skin = tessaro::OpenPackage(u"skin.pkg", 130);
  const auto model = tessaro::OpenPackage(u"model.pkg", 131);
  const auto function = tessaro::OpenPackage(u"function.pkg", 135);
  const uint32_t size = tessaro::ReadPackageMember(*skin, "skin.json", nullptr, 0, tessaro::kPackagePassword);
  std::vector<uint8_t> skin_json(size);
  tessaro::ReadPackageMember(*skin, "skin.json", skin_json.data(), size, tessaro::kPackagePassword);
}

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  LoadPackages();
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlaceholderProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TessaroPlaceholder";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Vornel", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                800, 600, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
