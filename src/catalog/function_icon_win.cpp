#include "catalog/function_icon.h"
#include "catalog/package_image_win.h"

namespace tessaro {

namespace {

void DeleteImage(void* image) { GdiplusDelete()(static_cast<Gdiplus::Image*>(image)); }

}  // namespace

IconImage DecodeFunctionIcon(std::span<const uint8_t> bytes) {
  // Rows hold their icon as a Gdiplus::Image*.
  Gdiplus::Image* image = DecodeImageBytes(bytes).release();
  return IconImage(image, DeleteImage);
}

}  // namespace tessaro
