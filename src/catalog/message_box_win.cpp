#include <windows.h>

#include "catalog/message_box.h"

namespace tessaro::platform {

void ShowMessageBox(std::u16string_view text) {
  const std::wstring wide(text.begin(), text.end());
  MessageBoxW(nullptr, wide.c_str(), L"Vornel", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tessaro::platform
