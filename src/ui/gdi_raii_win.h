// Owners for GDI and GDI+ resources: each releases what it holds exactly
// once, when it goes, so no drawing path frees anything by hand. All are
// movable and not copyable. GDI+ objects themselves (Graphics, Pen, Brush,
// Font, Bitmap) release in their destructors: hold them by value for one
// drawing call, and in a GdiplusPtr when they are kept beyond it.
#pragma once

// clang-format off
#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "catalog/gdiplus_ptr_win.h"

namespace tessaro {

// GDI+ for the life of the owner: started in the constructor, shut down in
// the destructor. One per process, outliving every GDI+ object: the
// pictures and caches of the windows and catalogues are freed before the
// session ends.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession() {
    if (!token_) return;
#if defined(TESSARO_CHECK_GDIPLUS_LIFETIMES)
    if (const int left = live_gdiplus_objects.load()) {
      std::fprintf(stderr, "%d GDI+ object(s) still alive when GDI+ shuts down\n", left);
      std::abort();
    }
#endif
    Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(GdiplusSession&& other) noexcept : token_(std::exchange(other.token_, 0)) {}
  GdiplusSession& operator=(GdiplusSession&& other) noexcept {
    std::swap(token_, other.token_);
    return *this;
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  explicit operator bool() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// A device context obtained with GetDC (null window: the screen), released
// with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    std::swap(window_, other.window_);
    std::swap(dc_, other.dc_);
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A memory device context (CreateCompatibleDC), deleted with DeleteDC.
// Restore what was selected into it (SelectedObject) before it goes.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible_with = nullptr) : dc_(CreateCompatibleDC(compatible_with)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    std::swap(dc_, other.dc_);
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// A GDI object (bitmap, font, pen, brush, region), deleted with
// DeleteObject. It must not be selected into a DC when it goes: declare the
// SelectedObject after it, so the selection ends first.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

// An object selected into a DC; the previous selection comes back when the
// owner goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    std::swap(dc_, other.dc_);
    std::swap(previous_, other.previous_);
    return *this;
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A 32-bit top-down DIB section whose pixels (premultiplied ARGB, one
// uint32_t each, rows of width pixels) can be read and written directly.
class DibSection {
 public:
  DibSection() = default;
  DibSection(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = GdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap_) {
      bits_ = static_cast<uint32_t*>(bits);
      width_ = width;
      height_ = height;
    }
  }

  DibSection(DibSection&& other) noexcept
      : bitmap_(std::move(other.bitmap_)),
        bits_(std::exchange(other.bits_, nullptr)),
        width_(std::exchange(other.width_, 0)),
        height_(std::exchange(other.height_, 0)) {}
  DibSection& operator=(DibSection&& other) noexcept {
    std::swap(bitmap_, other.bitmap_);
    std::swap(bits_, other.bits_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    return *this;
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  HBITMAP get() const { return bitmap_.get(); }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* pixels() const { return bits_; }
  uint32_t pixel(int x, int y) const { return bits_[static_cast<size_t>(y) * width_ + x]; }

 private:
  GdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A GDI+ bitmap's pixels, read as premultiplied 32-bit rows while this
// lives. Empty when the bitmap cannot give them.
class LockedBitmapBits {
 public:
  explicit LockedBitmapBits(Gdiplus::Bitmap& bitmap) : bitmap_(&bitmap) {
    const Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data_) != Gdiplus::Ok ||
        data_.Stride <= 0)
      bitmap_ = nullptr;
  }
  ~LockedBitmapBits() {
    if (bitmap_) bitmap_->UnlockBits(&data_);
  }
  LockedBitmapBits(const LockedBitmapBits&) = delete;
  LockedBitmapBits& operator=(const LockedBitmapBits&) = delete;

  explicit operator bool() const { return bitmap_ != nullptr; }
  uint32_t* pixels() const { return bitmap_ ? static_cast<uint32_t*>(data_.Scan0) : nullptr; }
  int width() const { return static_cast<int>(data_.Width); }
  int height() const { return static_cast<int>(data_.Height); }
  int stride() const { return data_.Stride / 4; }

 private:
  Gdiplus::Bitmap* bitmap_;
  Gdiplus::BitmapData data_{};
};

}  // namespace tessaro
