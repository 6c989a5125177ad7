#include "catalog/memory_stream_win.h"

#include <cstring>
#include <utility>

namespace tessaro {

namespace {

// A movable global memory block until a stream takes it over.
class GlobalBlock {
 public:
  explicit GlobalBlock(size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~GlobalBlock() {
    if (block_) GlobalFree(block_);
  }
  GlobalBlock(GlobalBlock&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  GlobalBlock& operator=(GlobalBlock&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  HGLOBAL get() const { return block_; }
  HGLOBAL release() { return std::exchange(block_, nullptr); }

  bool Fill(const uint8_t* data, size_t size) {
    void* at = block_ ? GlobalLock(block_) : nullptr;
    if (!at) return false;
    std::memcpy(at, data, size);
    GlobalUnlock(block_);
    return true;
  }

 private:
  HGLOBAL block_;
};

}  // namespace

StreamRef StreamOnCopy(const uint8_t* data, size_t size) {
  GlobalBlock block(size);
  if (!block.Fill(data, size)) return {};
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &stream))) return {};
  block.release();  // the stream frees it now
  return StreamRef(stream);
}

}  // namespace tessaro
