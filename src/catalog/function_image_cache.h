// Function icons by name, kept from the first catalogue load that names
// them until the catalogue is unloaded. A load keeps only each icon's
// picture file; the picture is decoded when a list first draws a row that
// shows it (a decoded picture takes about ten times its file's memory, and
// most menus are never opened in a run). A picture that does not decode is
// remembered as such and not tried again.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/function_icon.h"
#include "catalog/menu_row.h"

namespace tessaro {

class Package;

// One cached icon, as rows refer to it. Lives until the cache is cleared,
// so reloads of the catalogue never invalidate a row that is being drawn.
class FunctionIcon {
 private:
  friend class FunctionImageCache;
  std::vector<uint8_t> file_;  // the picture file until its first decode
  IconImage picture_{nullptr, nullptr};
};

class FunctionImageCache {
 public:
  // The icon cached under name. The first time, reads the member ending
  // with name from package (a missing member gives an icon without a
  // picture); the picture is not decoded here.
  FunctionIcon* Add(std::u16string_view name, Package& package);
  // The icon cached under name, or null when no load has named it.
  FunctionIcon* Find(std::u16string_view name);
  // The icon's picture, decoded at the first call; null for a null icon
  // and for one that has none. Decodes under the cache's lock, so two
  // threads drawing the same row decode it once.
  void* Picture(FunctionIcon* icon);
  // Frees every icon; nothing may draw one of them any more.
  void Clear();

 private:
  std::mutex mutex_;
  std::map<std::u16string, FunctionIcon, std::less<>> icons_;
};

// The application-wide cache, shared by the function catalogue and the
// tray menu. Emptied by UnloadFunctionCatalogue.
FunctionImageCache& FunctionImages();

// What a list draws for row: the picture the row carries, else its
// function icon's (decoded now if it is the first time), else null.
void* RowPicture(const _QnItemListDB& row);

}  // namespace tessaro
