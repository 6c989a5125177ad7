// Traditional PKWARE ZIP encryption, for writing packages whose members the
// program reads back with the package password.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pkgtool {

// Compresses `data` with raw deflate (level 9).
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data);

// Encrypts `payload` (already compressed) for a member whose uncompressed
// data has CRC `crc`. The 12-byte encryption header is derived from `seed`
// instead of random bytes, so the same input gives the same package; its
// last two bytes carry the CRC's check bytes, as readers expect.
std::vector<uint8_t> Encrypt(const std::vector<uint8_t>& payload, std::string_view password, uint32_t crc,
                             std::string_view seed);

}  // namespace pkgtool
