// The program's icon in the taskbar's notification area, present for as
// long as its owner lives. Clicks arrive at the window as the callback
// message with the mouse message in lparam.
#pragma once

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "ui/icon_raii_win.h"

namespace tessaro {

inline constexpr UINT kTrayIconId = 60001;
inline constexpr UINT kTrayCallbackMessage = 60000;

class TrayIcon {
 public:
  // Adds the icon; the picture is the icon resource at 64 x 64 pixels.
  TrayIcon(HWND window, HINSTANCE instance, int icon_resource, const wchar_t* tip);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Adds the icon again: a restarted taskbar has forgotten it.
  void Restore();

 private:
  UniqueIcon icon_;
  NOTIFYICONDATAW data_{};
};

}  // namespace tessaro
