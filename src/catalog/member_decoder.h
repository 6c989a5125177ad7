// Turns a member's stored bytes into its content: PKWARE decryption when
// encrypted, then inflate or a plain copy, and at the end the declared size
// and CRC-32 check that tells a wrong password or damage from good data.
#pragma once

#include <cstdint>
#include <functional>

namespace tessaro {

// What the archive's directory says about a member.
struct MemberLayout {
  uint32_t method = 0;      // 0 stored, 8 deflated; others are not readable
  bool encrypted = false;   // general-purpose flag bit 0
  uint64_t size = 0;        // uncompressed
  uint32_t crc = 0;
};

// Reads up to count stored bytes into `into`: the count read, 0 at the end,
// negative on a read error.
using StoredBytesReader = std::function<int(uint8_t* into, uint32_t count)>;

// Decodes the whole member. The first `capacity` bytes of content go to
// `out`; the rest is decoded and checked, then dropped. No byte is written at
// or beyond out + capacity. False when the member cannot be decoded (method,
// missing password, read error, damage, wrong password, size or CRC
// mismatch); the bytes written to out are then zeroed again.
bool DecodeMember(const MemberLayout& layout, const char* password, const StoredBytesReader& read, uint8_t* out,
                  uint32_t capacity);

}  // namespace tessaro
