#include "catalog/package_image_win.h"

#include <wincodec.h>

#include <mutex>
#include <vector>

#include "catalog/com_ref_win.h"
#include "catalog/memory_stream_win.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"

namespace tessaro {

namespace {

// The imaging component factory, made on the first call from a thread with
// COM; null until then. Kept for the run: it is free-threaded, and a
// release at exit could come after COM has ended.
IWICImagingFactory* ImagingFactory() {
  static std::mutex mutex;
  static IWICImagingFactory* factory = nullptr;
  std::lock_guard lock(mutex);
  if (!factory) CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  return factory;
}

// Decodes with the imaging components straight into a premultiplied GDI+
// bitmap, the form GDI+ draws fastest. GDI+'s own decoding makes the same
// components anew for every picture and reads all metadata, which under
// Wine costs three times as much; start-up decodes over a hundred pictures.
GdiplusPtr<Gdiplus::Bitmap> DecodeWithFactory(IWICImagingFactory& factory, IStream* stream) {
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  UINT width = 0, height = 0;
  if (FAILED(factory.CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory.CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF)
    return nullptr;
  auto bitmap = MakeGdiplus<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppPARGB);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData pixels{};
  if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &pixels) != Gdiplus::Ok)
    return nullptr;
  const HRESULT copied =
      converter->CopyPixels(nullptr, static_cast<UINT>(pixels.Stride), static_cast<UINT>(pixels.Stride) * height,
                            static_cast<BYTE*>(pixels.Scan0));
  bitmap->UnlockBits(&pixels);
  return SUCCEEDED(copied) ? std::move(bitmap) : nullptr;
}

}  // namespace

GdiplusPtr<Gdiplus::Bitmap> ImageFromStream(IStream* stream) {
  // A thread without COM has no factory: GDI+ decodes on its own then.
  if (IWICImagingFactory* factory = ImagingFactory()) return DecodeWithFactory(*factory, stream);
  GdiplusPtr<Gdiplus::Bitmap> bitmap = AdoptGdiplus(Gdiplus::Bitmap::FromStream(stream));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return bitmap;
}

GdiplusPtr<Gdiplus::Bitmap> DecodeImageBytes(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  const StreamRef stream = StreamOnCopy(bytes.data(), bytes.size());
  if (!stream) return nullptr;
  return ImageFromStream(stream.get());
}

GdiplusPtr<Gdiplus::Bitmap> LoadModelPicture(std::u16string_view member_name) {
  std::string suffix;
  if (!platform::ToArchiveText(member_name, suffix)) return nullptr;
  const std::vector<uint8_t> bytes = ReadPackageMemberBytes(*OpenPackage(u"model.pkg", 131), suffix, kPackagePassword);
  return DecodeImageBytes(bytes);
}

}  // namespace tessaro
