#include "ui/icon_picture_win.h"

#include <algorithm>
#include <cstdint>

#include "ui/gdi_raii_win.h"

namespace tessaro {
namespace {

DibSection DrawnOver(HICON icon, int size, uint32_t ground) {
  DibSection dib(size, size);
  if (!dib) return dib;
  std::fill_n(dib.pixels(), static_cast<size_t>(size) * size, ground);
  const MemoryDc memory;
  const SelectedObject selected(memory.get(), dib.get());
  if (!DrawIconEx(memory.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) return DibSection();
  GdiFlush();
  return dib;
}

}  // namespace

GdiplusPtr<Gdiplus::Bitmap> IconPicture(HICON icon, int size) {
  if (!icon || size <= 0) return nullptr;
  const DibSection black = DrawnOver(icon, size, 0xFF000000u);
  const DibSection white = DrawnOver(icon, size, 0xFFFFFFFFu);
  if (!black || !white) return nullptr;
  auto picture = MakeGdiplus<Gdiplus::Bitmap>(size, size, PixelFormat32bppPARGB);
  const Gdiplus::Rect all(0, 0, size, size);
  Gdiplus::BitmapData data{};
  if (picture->GetLastStatus() != Gdiplus::Ok ||
      picture->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
    return nullptr;
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < size; ++x) {
      const uint32_t on_black = black.pixel(x, y);
      const uint32_t on_white = white.pixel(x, y);
      // Over black a pixel shows its premultiplied colour; over white the
      // ground adds (1 - opacity) x 255 to each channel.
      const int through = static_cast<int>((on_white >> 8) & 0xFF) - static_cast<int>((on_black >> 8) & 0xFF);
      const uint32_t alpha = static_cast<uint32_t>(255 - std::clamp(through, 0, 255));
      row[x] = alpha << 24 | (on_black & 0x00FFFFFFu);
    }
  }
  picture->UnlockBits(&data);
  return picture;
}

}  // namespace tessaro
