// The model list's pictures, one per model of the catalogue, decoded when
// the list first shows that model and kept while the main dialog lives:
// the list may still paint a row of an earlier opening. The dialog ends
// inside the GDI+ session, so they do too. User-interface thread only.
#pragma once

#include <cstdint>
#include <map>

#include "catalog/gdiplus_ptr_win.h"

namespace tessaro {

class ModelPictures {
 public:
  // The picture of the catalogue's model at index; null when it has none.
  Gdiplus::Image* Get(int32_t index);

 private:
  std::map<int32_t, GdiplusPtr<Gdiplus::Bitmap>> pictures_;
};

}  // namespace tessaro
