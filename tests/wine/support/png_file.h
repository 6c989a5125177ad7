// Saving a drawing of a test as a PNG file, to look at it.
#pragma once

#include "ui/gdi_raii_win.h"

namespace tessaro::test {

// Writes the bitmap's pixels, taken as opaque, to path (a Windows path).
// GDI+ must be started. False when there is no PNG encoder or the file
// cannot be written.
bool SavePng(const DibSection& dib, const wchar_t* path);

}  // namespace tessaro::test
