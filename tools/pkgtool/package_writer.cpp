#include "tools/pkgtool/package_writer.h"

#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/pkgtool/pkzip_crypt.h"

namespace pkgtool {

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool AddMember(zipFile zip, const Member& m, const std::string& password) {
  zip_fileinfo info{};
  info.tmz_date.tm_year = 2024;  // fixed: byte-identical packages
  info.tmz_date.tm_mon = 0;
  info.tmz_date.tm_mday = 1;
  const uint32_t crc = static_cast<uint32_t>(
      crc32(0, m.data.data(), static_cast<uInt>(m.data.size())));
  std::vector<uint8_t> body = Deflate(m.data);
  uLong flag = 0;
  if (!password.empty()) {
    body = Encrypt(body, password, crc, m.name);
    flag = 1;
  }
  // Raw mode: minizip writes our already deflated (and encrypted) bytes.
  if (zipOpenNewFileInZip4_64(zip, m.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 1,
                              -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0, 20, flag, 0) != ZIP_OK)
    return false;
  bool ok = zipWriteInFileInZip(zip, body.data(), static_cast<unsigned>(body.size())) == ZIP_OK;
  ok = zipCloseFileInZipRaw64(zip, m.data.size(), crc) == ZIP_OK && ok;
  return ok;
}

}  // namespace

bool WritePackage(const std::string& path, const std::vector<Member>& members, const std::string& password) {
  const std::string temp = path + ".tmp";
  zipFile zip = zipOpen64(temp.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  bool ok = true;
  for (const auto& m : members) ok = ok && AddMember(zip, m, password);
  ok = zipClose(zip, nullptr) == ZIP_OK && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::vector<Member> ReadManifest(const std::string& manifest_path, const std::string& root) {
  std::ifstream in(manifest_path);
  if (!in) throw std::runtime_error("cannot read " + manifest_path);
  std::vector<Member> members;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    members.push_back({line, ReadFile(root + "/" + line)});
  }
  return members;
}

}  // namespace pkgtool
