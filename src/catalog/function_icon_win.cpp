#include "catalog/function_icon.h"
#include "catalog/package_image_win.h"
#include "catalog/package_platform.h"

namespace tessaro {

namespace {

void DeleteImage(void* image) { GdiplusDelete()(static_cast<Gdiplus::Image*>(image)); }

}  // namespace

IconImage DecodeFunctionIcon(Package& package, std::u16string_view name_suffix) {
  std::string suffix;
  if (!platform::ToArchiveText(name_suffix, suffix)) return IconImage(nullptr, DeleteImage);
  // Rows hold their icon as a Gdiplus::Image*.
  Gdiplus::Image* image = LoadPackageImage(package, suffix).release();
  return IconImage(image, DeleteImage);
}

}  // namespace tessaro
