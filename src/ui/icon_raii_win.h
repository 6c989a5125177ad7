// Ownership of an icon made by LoadImage or CreateIcon (not a shared one):
// destroyed exactly once, when the owner goes. Movable, not copyable.
#pragma once

#include <windows.h>

#include <utility>

namespace tessaro {

class UniqueIcon {
 public:
  UniqueIcon() = default;
  explicit UniqueIcon(HICON icon) : icon_(icon) {}
  ~UniqueIcon() { reset(); }
  UniqueIcon(UniqueIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  UniqueIcon& operator=(UniqueIcon&& other) noexcept {
    std::swap(icon_, other.icon_);
    return *this;
  }
  UniqueIcon(const UniqueIcon&) = delete;
  UniqueIcon& operator=(const UniqueIcon&) = delete;

  HICON get() const { return icon_; }
  void reset() {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
  }

 private:
  HICON icon_ = nullptr;
};

}  // namespace tessaro
