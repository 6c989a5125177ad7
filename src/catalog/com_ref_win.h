// One reference to a COM object, released when the owner goes.
#pragma once

#include <unknwn.h>

#include <utility>

namespace tessaro {

template <class T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* object) : object_(object) {}
  ~ComRef() {
    if (object_) object_->Release();
  }
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For a function that hands out a new reference; drops the held one.
  T** out() {
    if (object_) std::exchange(object_, nullptr)->Release();
    return &object_;
  }

 private:
  T* object_ = nullptr;
};

}  // namespace tessaro
