// The Windows form of a panel picture: a GDI+ image owned through the
// portable PanelImage handle.
#pragma once

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

#include "ui/panel.h"

namespace tessaro {

class GdiplusPanelImage final : public PanelImage {
 public:
  explicit GdiplusPanelImage(std::unique_ptr<Gdiplus::Image> image) : image_(std::move(image)) {}
  Gdiplus::Image* get() const { return image_.get(); }

 private:
  std::unique_ptr<Gdiplus::Image> image_;
};

// Null stays null, so a missing picture stays missing.
inline PanelImagePtr ToPanelImage(std::unique_ptr<Gdiplus::Image> image) {
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
