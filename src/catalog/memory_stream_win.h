// A COM stream over a copy of some bytes, for decoders that read streams
// (GDI+ pictures). The copy lives in movable global memory that the stream
// frees when its last reference goes.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace tessaro {

// One reference to a COM stream, released when the owner goes.
class StreamRef {
 public:
  StreamRef() = default;
  explicit StreamRef(IStream* stream) : stream_(stream) {}
  ~StreamRef() {
    if (stream_) stream_->Release();
  }
  StreamRef(StreamRef&& other) noexcept : stream_(std::exchange(other.stream_, nullptr)) {}
  StreamRef& operator=(StreamRef&& other) noexcept {
    std::swap(stream_, other.stream_);
    return *this;
  }
  StreamRef(const StreamRef&) = delete;
  StreamRef& operator=(const StreamRef&) = delete;

  IStream* get() const { return stream_; }
  explicit operator bool() const { return stream_ != nullptr; }

 private:
  IStream* stream_ = nullptr;
};

// Empty when the memory or the stream cannot be made.
StreamRef StreamOnCopy(const uint8_t* data, size_t size);

}  // namespace tessaro
