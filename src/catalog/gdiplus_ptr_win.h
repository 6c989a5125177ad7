// The owner of every GDI+ object kept beyond one drawing call (a picture,
// a cached font). Windows does not allow a GDI+ object to outlive
// GdiplusShutdown (Wine forgives it), so each is owned by something that
// ends inside the GDI+ session; the owners count the objects they hold, and
// the session (GdiplusSession, ui/gdi_raii_win.h) fails in the test builds
// when one is left. Objects made for one drawing call live on its stack.
#pragma once

// clang-format off
#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <atomic>
#include <memory>
#include <utility>

namespace tessaro {

// How many GDI+ objects the GdiplusPtrs of the process hold now.
inline std::atomic<int> live_gdiplus_objects{0};

// Frees a GDI+ object kept beyond one drawing call and counts it gone.
struct GdiplusDelete {
  template <class T>
  void operator()(T* object) const {
    delete object;
    --live_gdiplus_objects;
  }
};

template <class T>
using GdiplusPtr = std::unique_ptr<T, GdiplusDelete>;

template <class T, class... Args>
GdiplusPtr<T> MakeGdiplus(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  ++live_gdiplus_objects;
  return GdiplusPtr<T>(object);
}

// Takes over an object that GDI+ allocated (Bitmap::FromStream); null stays
// null.
template <class T>
GdiplusPtr<T> AdoptGdiplus(T* object) {
  if (object) ++live_gdiplus_objects;
  return GdiplusPtr<T>(object);
}

}  // namespace tessaro
