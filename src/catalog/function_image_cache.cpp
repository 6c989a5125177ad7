#include "catalog/function_image_cache.h"

namespace tessaro {

void* FunctionImageCache::Get(std::u16string_view name, Package& package) {
  {
    std::lock_guard lock(mutex_);
    if (auto it = images_.find(name); it != images_.end()) return it->second.get();
  }
  // Decode outside the lock so a reader of the cache never waits for GDI+.
  // Loads do not overlap in practice; should two race for one name, the
  // first stored picture wins and the other is freed here.
  IconImage image = DecodeFunctionIcon(package, name);
  std::lock_guard lock(mutex_);
  return images_.try_emplace(std::u16string(name), std::move(image)).first->second.get();
}

void* FunctionImageCache::Find(std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  const auto it = images_.find(name);
  return it != images_.end() ? it->second.get() : nullptr;
}

bool FunctionImageCache::Contains(std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  return images_.find(name) != images_.end();
}

void FunctionImageCache::Clear() {
  std::map<std::u16string, IconImage, std::less<>> images;
  {
    std::lock_guard lock(mutex_);
    images.swap(images_);
  }
}

// Never destroyed: its pictures are freed by UnloadFunctionCatalogue before
// GDI+ ends, and a static would free them at exit, after that.
FunctionImageCache& FunctionImages() {
  static FunctionImageCache* const cache = new FunctionImageCache;
  return *cache;
}

}  // namespace tessaro
