// The Windows form of a panel picture: a GDI+ bitmap owned through the
// portable PanelImage handle.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "catalog/gdiplus_ptr_win.h"
#include "ui/panel.h"

namespace tessaro {

class GdiplusPanelImage final : public PanelImage {
 public:
  explicit GdiplusPanelImage(GdiplusPtr<Gdiplus::Bitmap> image) : image_(std::move(image)) {}
  // A picture file, decoded when the picture is first asked for: most of
  // the skin's pictures are markers of buttons the connected mouse does
  // not have, and a window started in the tray draws none of them.
  explicit GdiplusPanelImage(std::vector<uint8_t> file) : file_(std::move(file)) {}

  // Null when the file does not decode (tried once).
  Gdiplus::Bitmap* get() const;

 private:
  mutable std::once_flag decode_;
  mutable std::vector<uint8_t> file_;
  mutable GdiplusPtr<Gdiplus::Bitmap> image_;
};

// The GDI+ bitmap behind a picture; null for none (or a picture of another
// kind, which draws as none).
inline Gdiplus::Bitmap* GdiplusImageOf(const PanelImage* picture) {
  const auto* image = dynamic_cast<const GdiplusPanelImage*>(picture);
  return image ? image->get() : nullptr;
}

}  // namespace tessaro
