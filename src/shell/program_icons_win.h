// The pictures of programs' icons in the profile list, one per executable,
// made when the list first shows the program and kept while the main
// dialog lives: the list may still paint a row of an earlier opening. The
// dialog ends inside the GDI+ session, so they do too. User-interface
// thread only.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "ui/gdi_raii_win.h"

namespace tessaro {

class ProgramIcons {
 public:
  // The first icon of the executable at path; the system's program icon
  // for an executable without one or an empty path. Null when neither can
  // be drawn.
  Gdiplus::Image* Get(const std::u16string& path);

 private:
  std::map<std::u16string, GdiplusPtr<Gdiplus::Bitmap>> pictures_;  // by folded path
};

}  // namespace tessaro
