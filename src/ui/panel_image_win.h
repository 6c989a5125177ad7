// The Windows form of a panel picture: a GDI+ image owned through the
// portable PanelImage handle.
#pragma once

#include "catalog/gdiplus_ptr_win.h"
#include "ui/panel.h"

namespace tessaro {

class GdiplusPanelImage final : public PanelImage {
 public:
  explicit GdiplusPanelImage(GdiplusPtr<Gdiplus::Image> image) : image_(std::move(image)) {}
  Gdiplus::Image* get() const { return image_.get(); }

 private:
  GdiplusPtr<Gdiplus::Image> image_;
};

// Null stays null, so a missing picture stays missing.
inline PanelImagePtr ToPanelImage(GdiplusPtr<Gdiplus::Image> image) {
  if (!image) return nullptr;
  return std::make_unique<GdiplusPanelImage>(std::move(image));
}

// The GDI+ image behind a picture; null for none (or a picture of another
// kind, which draws as none).
inline Gdiplus::Image* GdiplusImageOf(const PanelImage* picture) {
  const auto* image = dynamic_cast<const GdiplusPanelImage*>(picture);
  return image ? image->get() : nullptr;
}

}  // namespace tessaro
