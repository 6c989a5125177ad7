// VX_MISC_CreateRoundPath: a rounded rectangle as one closed figure of a
// GDI+ path (the panels' frames and buttons).
// clang-format off
#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <algorithm>

#include "vxlib.h"
#include "vxlib/guard.h"

extern "C" VXAPI int VX_MISC_CreateRoundPath(void* path, int x, int y, int width, int height, int radius, int) {
  return vxlib::Guarded(0, [&] {
    if (!path || width <= 0 || height <= 0) return 0;
    auto& p = *static_cast<Gdiplus::GraphicsPath*>(path);
    // A corner cannot be rounder than half the shorter side.
    const int r = std::clamp(radius, 0, std::min(width, height) / 2);
    p.StartFigure();
    if (r == 0) {
      p.AddRectangle(Gdiplus::Rect(x, y, width, height));
    } else {
      const int d = 2 * r;
      p.AddArc(x, y, d, d, 180.0f, 90.0f);
      p.AddArc(x + width - d, y, d, d, 270.0f, 90.0f);
      p.AddArc(x + width - d, y + height - d, d, d, 0.0f, 90.0f);
      p.AddArc(x, y + height - d, d, d, 90.0f, 90.0f);
    }
    p.CloseFigure();
    return p.GetLastStatus() == Gdiplus::Ok ? 1 : 0;
  });
}
