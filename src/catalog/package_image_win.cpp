#include "catalog/package_image_win.h"

#include <vector>

#include "catalog/memory_stream_win.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"

namespace tessaro {

std::unique_ptr<Gdiplus::Bitmap> ImageFromStream(IStream* stream) {
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> LoadPackageImage(Package& package, std::string_view name_suffix) {
  const uint32_t size = ReadPackageMember(package, name_suffix, nullptr, 0, kPackagePassword);
  if (size == 0) return nullptr;
  std::vector<uint8_t> bytes(size);
  if (ReadPackageMember(package, name_suffix, bytes.data(), size, kPackagePassword) != size) return nullptr;
  const StreamRef stream = StreamOnCopy(bytes.data(), bytes.size());
  if (!stream) return nullptr;
  return ImageFromStream(stream.get());
}

std::unique_ptr<Gdiplus::Bitmap> LoadModelPicture(std::u16string_view member_name) {
  std::string suffix;
  if (!platform::ToArchiveText(member_name, suffix)) return nullptr;
  const std::unique_ptr<Package> package = OpenPackage(u"model.pkg", 131);
  return LoadPackageImage(*package, suffix);
}

}  // namespace tessaro
