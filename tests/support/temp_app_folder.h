// A fresh temporary folder that AppFolder() points at for the life of the
// object, so that tests can place packages and "language.json" beside the
// "executable". Removed with everything in it on destruction.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tools/pkgtool/package_writer.h"

namespace test_support {

class TempAppFolder {
 public:
  TempAppFolder();
  ~TempAppFolder();
  TempAppFolder(const TempAppFolder&) = delete;
  TempAppFolder& operator=(const TempAppFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void WriteFile(const std::string& name, std::string_view bytes) const;
  // Writes a package with the members in the given order, encrypted with
  // the package password.
  void WritePackage(const std::string& name, const std::vector<pkgtool::Member>& members) const;
  void Remove(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

pkgtool::Member TextMember(std::string name, std::string_view text);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);

}  // namespace test_support
