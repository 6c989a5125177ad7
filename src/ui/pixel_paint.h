// Area fills straight into premultiplied 32-bit pixels (the layout of a
// top-down 32-bit DIB section and of GDI+'s PixelFormat32bppPARGB), for
// the panel's background: the plain fills, the texture, the gradients and
// the rim. GDI+ draws the same shapes through its general path and edge
// rasteriser, which for a client-size layer costs a hundred milliseconds
// or more under Wine at every first paint after a start or a show; here
// each is a few passes over memory. Edges are anti-aliased by exact area
// coverage, as GDI+'s high-quality smoothing does for axis-aligned shapes,
// with pixel centres on whole coordinates as in GDI+'s default pixel
// offset mode.
#pragma once

#include <cstdint>

#include "ui/panel.h"
#include "ui/panel_layout.h"

namespace tessaro {

struct PixelSurface {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // in pixels
};

// Straight ARGB to premultiplied.
uint32_t Premultiply(uint32_t argb);

// Every pixel set to the colour (straight ARGB), without blending.
void FillPixels(const PixelSurface& target, uint32_t argb);

// The covered part of the area blended (source over) with the colour.
void BlendRect(const PixelSurface& target, const RectF& area, uint32_t argb);

// The area blended with a premultiplied picture repeated from the
// surface's origin, as a tiling texture brush anchored at (0, 0) does.
void BlendTile(const PixelSurface& target, const PixelSurface& tile, const RectF& area);

// The area blended with a linear gradient from colors.start to
// colors.end along the angle (degrees, clockwise from the x axis, y
// down); the boundary lines through the area's first and last corners
// along that direction hold the two colours, as a linear gradient brush
// made from a rectangle with an angle that does not scale does.
void BlendLinearGradient(const PixelSurface& target, const RectF& area, Gradient colors, float angle);

// The outline of the rectangle blended with a pen of the given width
// centred on it, with square corners.
void BlendFrame(const PixelSurface& target, const RectF& rect, float pen_width, uint32_t argb);

}  // namespace tessaro
