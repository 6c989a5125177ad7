// A change of the display scale: the window was moved to a monitor of
// another DPI, or the monitor's scale changed. The window takes the
// rectangle the system suggests and is laid out again at that size as a
// start at that size lays it out: UiScale, the interface font, the panel
// and its widgets, the marker column, and the bitmaps, which the renderer
// and the panel make again at the new size.
#include <utility>

#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"
#include "shell/window_geometry.h"
#include "ui/gdi_raii_win.h"
#include "ui/ui_font.h"

namespace tessaro {

UINT CTessaroDlg::WindowDpi() const {
  // From Windows 10 1607 on the window's own monitor; before, the screen's.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window) return get_dpi_for_window(window());
  const WindowDc screen(nullptr);
  return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSX));
}

void CTessaroDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
  const UINT old_dpi = std::exchange(dpi_, dpi);
  // The start sizes the window for the monitor it measured, whatever the
  // monitor's scale; the change its own placing causes is only noted.
  if (!UiReady) return;
  const RescaledWindow rescaled = RescaleForDpi({suggested.left, suggested.top, suggested.right, suggested.bottom},
                                                UiFontSize(), static_cast<int>(old_dpi), static_cast<int>(dpi));
  const MainWindowGeometry& geometry = rescaled.window;
  // An open menu is sized for the old scale.
  HidePopupList();
  ResizeUiFont(ProcessUiFont(), rescaled.font_size);
  UiScale = geometry.ui_scale;
  key_capture_.SetScale(geometry.ui_scale);
  SetWindowPos(window(), nullptr, geometry.x, geometry.y, geometry.width, geometry.height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  RECT client{};
  GetClientRect(window(), &client);
  RescaleMainPanel(main_, parts_.widgets, {client.left, client.top, client.right, client.bottom}, geometry.ui_scale,
                   rescaled.font_size);
  RebuildFunctionMenu();
  renderer_.InvalidateModelLayer();
  // The modifier widget follows the slowdown box's text, which the next
  // paint measures at the new font size.
  RestartTimer(kLanguageLayoutTimer, 10);
  InvalidateWindow();
}

}  // namespace tessaro
