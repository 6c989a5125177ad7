#include "ui/main_window_pictures_win.h"

namespace tessaro {
namespace {

const PanelImage* Prepared(std::span<const PanelImage* const> list, int n) {
  return n >= 0 && static_cast<size_t>(n) < list.size() ? list[static_cast<size_t>(n)] : nullptr;
}

}  // namespace

Gdiplus::Image* MarkerPictureShelf::Find(const PictureRef& ref) const {
  const bool lit = ref.lit;
  const PanelImage* picture = nullptr;
  switch (ref.set) {
    case PictureSet::kNone:
      break;
    case PictureSet::kPrepared:
      picture = Prepared(lit ? prepared_lit_ : prepared_, ref.index);
      break;
    case PictureSet::kNumber:
      picture = PictureAt(lit ? skin_.num_highlight : skin_.num, ref.index);
      break;
    case PictureSet::kTiltLeft:
      picture = PictureAt(lit ? skin_.tilt_left_highlight : skin_.tilt_left, ref.index);
      break;
    case PictureSet::kTiltRight:
      picture = PictureAt(lit ? skin_.tilt_right_highlight : skin_.tilt_right, ref.index);
      break;
    case PictureSet::kDirection:
      picture = PictureAt(lit ? skin_.dir_highlight : skin_.dir, ref.index);
      break;
  }
  return GdiplusImageOf(picture);
}

PixelCanvas::PixelCanvas(const DibSection& dib)
    : bitmap_(dib.width(), dib.height(), dib.width() * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(dib.pixels())),
      graphics_(&bitmap_) {
  graphics_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics_.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  graphics_.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
}

void DrawPicture(Gdiplus::Graphics& g, Gdiplus::Image* picture, const RectF& box) {
  if (picture) g.DrawImage(picture, Gdiplus::RectF(box.x, box.y, box.width, box.height));
}

}  // namespace tessaro
