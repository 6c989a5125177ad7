#include "ui/panel_image_win.h"

#include "catalog/package_image_win.h"

namespace tessaro {

Gdiplus::Bitmap* GdiplusPanelImage::get() const {
  std::call_once(decode_, [this] {
    if (!image_ && !file_.empty()) image_ = DecodeImageBytes(file_);
    std::vector<uint8_t>().swap(file_);
  });
  return image_.get();
}

}  // namespace tessaro
