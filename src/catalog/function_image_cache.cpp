#include "catalog/function_image_cache.h"

#include <utility>

#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"

namespace tessaro {

FunctionIcon* FunctionImageCache::Add(std::u16string_view name, Package& package) {
  if (FunctionIcon* icon = Find(name)) return icon;
  // Read outside the lock so a drawing thread never waits for the package.
  // Loads do not overlap in practice; should two race for one name, the
  // first stored icon wins.
  FunctionIcon icon;
  std::string suffix;
  if (platform::ToArchiveText(name, suffix)) icon.file_ = ReadPackageMemberBytes(package, suffix, kPackagePassword);
  std::lock_guard lock(mutex_);
  return &icons_.try_emplace(std::u16string(name), std::move(icon)).first->second;
}

FunctionIcon* FunctionImageCache::Find(std::u16string_view name) {
  std::lock_guard lock(mutex_);
  const auto it = icons_.find(name);
  return it != icons_.end() ? &it->second : nullptr;
}

void* FunctionImageCache::Picture(FunctionIcon* icon) {
  if (!icon) return nullptr;
  std::lock_guard lock(mutex_);
  if (!icon->file_.empty()) {
    icon->picture_ = DecodeFunctionIcon(icon->file_);
    std::vector<uint8_t>().swap(icon->file_);  // decoded or not, never again
  }
  return icon->picture_.get();
}

void FunctionImageCache::Clear() {
  std::map<std::u16string, FunctionIcon, std::less<>> icons;
  {
    std::lock_guard lock(mutex_);
    icons.swap(icons_);
  }
}

// Never destroyed: its pictures are freed by UnloadFunctionCatalogue before
// GDI+ ends, and a static would free them at exit, after that.
FunctionImageCache& FunctionImages() {
  static FunctionImageCache* const cache = new FunctionImageCache;
  return *cache;
}

void* RowPicture(const _QnItemListDB& row) { return row.image ? row.image : FunctionImages().Picture(row.icon); }

}  // namespace tessaro
