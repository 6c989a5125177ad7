#include "wine/support/png_file.h"

#include <string_view>
#include <vector>

namespace tessaro::test {

bool SavePng(const DibSection& dib, const wchar_t* path) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<uint8_t> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring_view(encoders[i].MimeType) != L"image/png") continue;
    Gdiplus::Bitmap opaque(dib.width(), dib.height(), dib.width() * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(dib.pixels()));
    return opaque.Save(path, &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
  }
  return false;
}

}  // namespace tessaro::test
