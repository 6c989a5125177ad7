// Drawing a panel with GDI+: the cached background layer (texture,
// gradients, bottom bar, outline, logo, soft edge, caption), then the
// widgets and labels in their current states. GDI+ must be started.
#pragma once

#include <memory>
#include <string_view>

#include "ui/gdi_raii_win.h"
#include "ui/panel.h"

namespace tessaro {

// Draws the whole panel into dc, whose bitmap covers the client area. True
// when a widget changed its width, so the owner must paint again.
bool RenderPanel(SkinPanel& panel, HDC dc);

// A font in pixel units. A family that cannot be made, or a font that
// fails, falls back to the generic sans-serif family.
GdiplusPtr<Gdiplus::Font> MakeFont(std::u16string_view family, float size, int style);

// Width and height of the text's bounding box when laid out in layout.
Gdiplus::SizeF MeasureText(Gdiplus::Graphics& graphics, std::u16string_view text, const Gdiplus::Font& font,
                           const Gdiplus::SizeF& layout, const Gdiplus::StringFormat& format);

}  // namespace tessaro
