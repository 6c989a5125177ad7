// The pictures a marker of the main window can wear (the skin's marker set
// and the pictures the function menu prepared for each shown marker), and
// the surface the main window draws them on.
#pragma once

#include <span>

#include "ui/gdi_raii_win.h"
#include "ui/main_window_layout.h"
#include "ui/panel_image_win.h"

namespace tessaro {

class MarkerPictureShelf {
 public:
  // The prepared lists are indexed by marker number; entries may be null.
  MarkerPictureShelf(const SkinPictures& skin, std::span<const PanelImage* const> prepared,
                     std::span<const PanelImage* const> prepared_lit)
      : skin_(skin), prepared_(prepared), prepared_lit_(prepared_lit) {}

  // The picture, or null when there is none.
  Gdiplus::Image* Find(const PictureRef& ref) const;
  PictureExists Exists() const {
    return [this](const PictureRef& ref) { return Find(ref) != nullptr; };
  }

 private:
  const SkinPictures& skin_;
  std::span<const PanelImage* const> prepared_;
  std::span<const PanelImage* const> prepared_lit_;
};

// GDI+ drawing straight into a bitmap's pixels, smooth and with ClearType
// text. GDI's drawing into the bitmap must have been flushed.
class PixelCanvas {
 public:
  explicit PixelCanvas(const DibSection& dib);
  Gdiplus::Graphics& get() { return graphics_; }

 private:
  Gdiplus::Bitmap bitmap_;
  Gdiplus::Graphics graphics_;
};

// Draws the picture stretched over box; nothing for none.
void DrawPicture(Gdiplus::Graphics& g, Gdiplus::Image* picture, const RectF& box);

}  // namespace tessaro
