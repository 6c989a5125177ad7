// Decoded function icons by name, kept from the first catalogue load until
// the catalogue is unloaded. A failed decode is cached too, so a broken
// icon is not decoded again on every reload.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "catalog/function_icon.h"

namespace tessaro {

class FunctionImageCache {
 public:
  // The picture cached under name; decodes the member ending with name
  // from package first when the name is not cached yet. Null for a failed
  // decode. The picture lives as long as the cache.
  void* Get(std::u16string_view name, Package& package);
  // The picture cached under name, or null (not cached or failed).
  void* Find(std::u16string_view name) const;
  bool Contains(std::u16string_view name) const;
  // Frees every picture; nothing may draw one of them any more.
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::map<std::u16string, IconImage, std::less<>> images_;
};

// The application-wide cache, shared by the function catalogue and the
// tray menu. Emptied by UnloadFunctionCatalogue.
FunctionImageCache& FunctionImages();

}  // namespace tessaro
