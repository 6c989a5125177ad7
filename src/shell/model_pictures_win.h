// The model list's pictures, one per model of the catalogue, decoded when
// the list first shows that model and kept until the main window hides
// (an open list may still paint a row of an earlier opening) or goes. The
// dialog ends inside the GDI+ session, so they do too. User-interface
// thread only.
#pragma once

#include <cstdint>
#include <map>

#include "catalog/gdiplus_ptr_win.h"

namespace tessaro {

class ModelPictures {
 public:
  // The picture of the catalogue's model at index; null when it has none.
  Gdiplus::Image* Get(int32_t index);
  // Frees every picture; no list row may show one any more.
  void Clear() { pictures_.clear(); }

 private:
  std::map<int32_t, GdiplusPtr<Gdiplus::Bitmap>> pictures_;
};

}  // namespace tessaro
