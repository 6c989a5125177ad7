#include "catalog/pkzip_cipher.h"

#include <zlib.h>

namespace tessaro {

namespace {

// One byte of CRC-32 over zlib's table (z_crc_t is 32 bits wide).
inline uint32_t CrcByte(const z_crc_t* table, uint32_t crc, uint8_t b) {
  return static_cast<uint32_t>(table[(crc ^ b) & 0xFFu]) ^ (crc >> 8);
}

inline void UpdateKeys(const z_crc_t* table, uint32_t& k0, uint32_t& k1, uint32_t& k2, uint8_t plain) {
  k0 = CrcByte(table, k0, plain);
  k1 = (k1 + (k0 & 0xFFu)) * 134775813u + 1;
  k2 = CrcByte(table, k2, static_cast<uint8_t>(k1 >> 24));
}

// The byte the next data byte is XORed with.
inline uint8_t KeyByte(uint32_t k2) {
  const uint32_t t = (k2 & 0xFFFFu) | 2u;
  return static_cast<uint8_t>((t * (t ^ 1u)) >> 8);
}

}  // namespace

PkzipCipher::PkzipCipher(const char* password) : keys_{305419896u, 591751049u, 878082192u} {
  const z_crc_t* table = get_crc_table();
  for (const char* p = password; *p; ++p) UpdateKeys(table, keys_[0], keys_[1], keys_[2], static_cast<uint8_t>(*p));
}

void PkzipCipher::Decrypt(uint8_t* data, size_t size) {
  // Keys in locals: each byte depends on the previous one, so keep the
  // chain in registers.
  const z_crc_t* table = get_crc_table();
  uint32_t k0 = keys_[0], k1 = keys_[1], k2 = keys_[2];
  for (size_t i = 0; i < size; ++i) {
    const uint8_t plain = data[i] ^ KeyByte(k2);
    data[i] = plain;
    UpdateKeys(table, k0, k1, k2, plain);
  }
  keys_[0] = k0;
  keys_[1] = k1;
  keys_[2] = k2;
}

void PkzipCipher::Encrypt(uint8_t* data, size_t size) {
  const z_crc_t* table = get_crc_table();
  for (size_t i = 0; i < size; ++i) {
    const uint8_t plain = data[i];
    data[i] = plain ^ KeyByte(keys_[2]);
    UpdateKeys(table, keys_[0], keys_[1], keys_[2], plain);
  }
}

}  // namespace tessaro
