#include "tools/pkgtool/pkzip_crypt.h"

#include <zlib.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "catalog/pkzip_cipher.h"

namespace pkgtool {

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
  z_stream z{};
  if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

std::vector<uint8_t> Encrypt(const std::vector<uint8_t>& payload, std::string_view password, uint32_t crc,
                             std::string_view seed) {
  // Header filler: a CRC chain over the seed, fixed for a given member.
  uint8_t header[12];
  uint32_t h =
      static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(seed.data()), static_cast<uInt>(seed.size())));
  for (int i = 0; i < 10; ++i) {
    header[i] = static_cast<uint8_t>(h >> 24);
    h = h * 1103515245u + 12345u;
  }
  header[10] = static_cast<uint8_t>(crc >> 16);
  header[11] = static_cast<uint8_t>(crc >> 24);

  std::vector<uint8_t> out(sizeof header + payload.size());
  std::copy(std::begin(header), std::end(header), out.begin());
  std::copy(payload.begin(), payload.end(), out.begin() + sizeof header);
  tessaro::PkzipCipher(std::string(password).c_str()).Encrypt(out.data(), out.size());
  return out;
}

}  // namespace pkgtool
