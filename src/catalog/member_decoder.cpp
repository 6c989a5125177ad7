#include "catalog/member_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "catalog/pkzip_cipher.h"

namespace tessaro {

namespace {

constexpr uint32_t kEncryptionHeaderSize = 12;
constexpr uint32_t kInputPiece = 16 * 1024;
constexpr uint32_t kScratchSize = 16 * 1024;

// The member's data in pieces: decrypted, without the encryption header.
class MemberInput {
 public:
  MemberInput(const StoredBytesReader& read, const char* password)
      : read_(read), header_left_(password ? kEncryptionHeaderSize : 0) {
    if (password) decryptor_.emplace(password);
  }

  // The next piece; empty at the end. False on a read error or a member too
  // short to hold its encryption header.
  bool Next(std::span<const uint8_t>& piece) {
    for (;;) {
      const int count = read_(buffer_, kInputPiece);
      if (count < 0) return false;
      if (count == 0) {
        piece = {};
        return header_left_ == 0;
      }
      uint8_t* data = buffer_;
      uint32_t size = static_cast<uint32_t>(count);
      if (decryptor_) decryptor_->Decrypt(data, size);
      const uint32_t skip = std::min(header_left_, size);
      header_left_ -= skip;
      if (skip == size) continue;
      piece = {data + skip, size - skip};
      return true;
    }
  }

 private:
  const StoredBytesReader& read_;
  std::optional<PkzipCipher> decryptor_;
  uint32_t header_left_;
  uint8_t buffer_[kInputPiece];
};

// Where decoded bytes go: the caller's buffer while it has room, then a
// scratch area; keeps the running size and CRC.
class MemberOutput {
 public:
  MemberOutput(uint8_t* out, uint32_t capacity, uint64_t expected)
      : out_(out), capacity_(out ? capacity : 0), expected_(expected) {}

  std::span<uint8_t> Space() {
    if (total_ < capacity_) return {out_ + total_, static_cast<size_t>(capacity_ - total_)};
    return scratch_;
  }
  // Takes n bytes just written at the start of Space(); false once the
  // member grows beyond its declared size.
  bool Commit(const uint8_t* at, size_t n) {
    if (n == 0) return true;
    crc_ = crc32(crc_, at, static_cast<uInt>(n));
    total_ += n;
    return total_ <= expected_;
  }
  bool Complete(uint32_t crc) const { return total_ == expected_ && crc_ == crc; }
  void Erase() {
    if (out_) std::memset(out_, 0, static_cast<size_t>(std::min<uint64_t>(total_, capacity_)));
  }

 private:
  uint8_t* out_;
  uint64_t capacity_;
  uint64_t expected_;
  uint64_t total_ = 0;
  uLong crc_ = crc32(0, nullptr, 0);
  uint8_t scratch_[kScratchSize];
};

class Inflater {
 public:
  Inflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~Inflater() {
    if (ready_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ready() const { return ready_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

bool CopyStored(MemberInput& input, MemberOutput& output) {
  for (;;) {
    std::span<const uint8_t> piece;
    if (!input.Next(piece)) return false;
    if (piece.empty()) return true;
    while (!piece.empty()) {
      const std::span<uint8_t> space = output.Space();
      const size_t n = std::min(piece.size(), space.size());
      std::memcpy(space.data(), piece.data(), n);
      if (!output.Commit(space.data(), n)) return false;
      piece = piece.subspan(n);
    }
  }
}

// Output space can run out in the same call that takes the last input
// while inflate still holds decoded bytes, so the end of the input is no
// reason to stop; only a call that moves nothing is.
bool Inflate(MemberInput& input, MemberOutput& output) {
  Inflater inflater;
  if (!inflater.ready()) return false;
  z_stream& z = inflater.stream();
  bool input_ended = false;
  for (;;) {
    if (z.avail_in == 0 && !input_ended) {
      std::span<const uint8_t> piece;
      if (!input.Next(piece)) return false;
      input_ended = piece.empty();
      z.next_in = const_cast<Bytef*>(piece.data());
      z.avail_in = static_cast<uInt>(piece.size());
    }
    const std::span<uint8_t> space = output.Space();
    z.next_out = space.data();
    z.avail_out = static_cast<uInt>(space.size());
    const uInt input_before = z.avail_in;
    const int rc = inflate(&z, Z_NO_FLUSH);
    const size_t produced = space.size() - z.avail_out;
    if (!output.Commit(space.data(), produced)) return false;
    if (rc == Z_STREAM_END) return true;
    if (rc != Z_OK && rc != Z_BUF_ERROR) return false;
    if (produced == 0 && z.avail_in == input_before) return false;  // ended before the deflate stream did
  }
}

}  // namespace

bool DecodeMember(const MemberLayout& layout, const char* password, const StoredBytesReader& read, uint8_t* out,
                  uint32_t capacity) {
  if (layout.method != 0 && layout.method != Z_DEFLATED) return false;
  if (layout.encrypted && !password) return false;
  MemberInput input(read, layout.encrypted ? password : nullptr);
  MemberOutput output(out, capacity, layout.size);
  const bool decoded = layout.method == 0 ? CopyStored(input, output) : Inflate(input, output);
  if (decoded && output.Complete(layout.crc)) return true;
  output.Erase();
  return false;
}

}  // namespace tessaro
