#include "ui/main_window_highlight_win.h"

namespace tessaro {
namespace {

constexpr uint32_t kRingShadow = 0xBC000000;

}  // namespace

void DrawLitMarker(Gdiplus::Graphics& g, const MarkerLayout& marker, const MarkerPictureShelf& shelf,
                   uint32_t ring_color, float scale) {
  if (Gdiplus::Image* lit = shelf.Find(marker.lit_picture)) {
    DrawPicture(g, lit, marker.square);
  } else {
    const RingPens pens = LitRingPens(scale);
    const float diameter = marker.square.width + 4.0f;
    const Gdiplus::RectF ring(marker.centre.x - diameter / 2, marker.centre.y - diameter / 2, diameter, diameter);
    const Gdiplus::Pen shadow(Gdiplus::Color(kRingShadow), pens.shadow);
    const Gdiplus::Pen pen(Gdiplus::Color(ring_color), pens.ring);
    g.DrawEllipse(&shadow, ring);
    g.DrawEllipse(&pen, ring);
  }
  DrawPicture(g, shelf.Find(marker.lit_overlay), marker.square);
}

}  // namespace tessaro
