// The traditional PKWARE ZIP encryption of package members. The archive
// library we build on has this part compiled out, so the program decrypts
// members read raw, and the package tool encrypts them, with this one class.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaro {

// Encrypts or decrypts a member's bytes in order, starting with its 12-byte
// encryption header; the keys carry over from one call to the next. One
// object does one direction for one member.
class PkzipCipher {
 public:
  explicit PkzipCipher(const char* password);
  void Decrypt(uint8_t* data, size_t size);
  void Encrypt(uint8_t* data, size_t size);

 private:
  uint32_t keys_[3];
};

}  // namespace tessaro
