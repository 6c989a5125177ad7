// Decryption of members stored with the traditional PKWARE ZIP encryption.
// The archive reader we build on has this part compiled out, so members are
// read raw and decrypted here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaro {

// Decrypts a member's stored bytes in order, starting with its 12-byte
// encryption header; the keys carry over from one call to the next.
class PkzipDecryptor {
 public:
  explicit PkzipDecryptor(const char* password);
  void Decrypt(uint8_t* data, size_t size);

 private:
  uint32_t keys_[3];
};

}  // namespace tessaro
