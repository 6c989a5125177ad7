#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include "catalog/utf.h"

namespace tessaro {

TrayIcon::TrayIcon(HWND window, HINSTANCE instance, int icon_resource, const wchar_t* tip)
    : icon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon_resource), IMAGE_ICON, 64, 64, 0))) {
  data_.cbSize = sizeof data_;
  data_.hWnd = window;
  data_.uID = kTrayIconId;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kTrayCallbackMessage;
  data_.hIcon = icon_.get();
  CopyToField(reinterpret_cast<const char16_t*>(tip), reinterpret_cast<char16_t*>(data_.szTip),
              sizeof data_.szTip / sizeof data_.szTip[0]);
  Shell_NotifyIconW(NIM_ADD, &data_);
}

TrayIcon::~TrayIcon() { Shell_NotifyIconW(NIM_DELETE, &data_); }

void TrayIcon::Restore() { Shell_NotifyIconW(NIM_ADD, &data_); }

}  // namespace tessaro
