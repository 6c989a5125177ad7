// Package access: where a package comes from (a file beside the executable
// wins over the embedded copy), finding and reading members, and walking
// all members in archive order for the catalogue readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/package_platform.h"

namespace tessaro {

// The executable's folder, ending in a backslash (set once at start).
const std::u16string& AppFolder();
// Derives AppFolder from the module file name: cut at the last '\'; without
// one the whole name stays; '\' is appended in both cases, so the folder
// ends in exactly one.
void SetAppFolderFromModuleName(std::u16string_view module_file_name);

// Bytes the archive reader walks when a package comes from a resource.
struct MemoryZipSource {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t position = 0;

  uint32_t Read(void* out, uint32_t count);
  // origin: 0 set, 1 current, 2 end. Returns 0, or -1 (position unchanged)
  // when the result lies beyond the end or before the start, or the origin
  // is none of these.
  long Seek(int64_t offset, int origin);
  uint32_t Tell() const { return position; }
};

// An open package. Closes the archive (and its file or bytes) when
// destroyed; an archive that failed to open is "empty": every search finds
// nothing.
class Package {
 public:
  ~Package();
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  bool is_open() const { return archive_ != nullptr; }

  // Opens a package file by its UTF-16 path: the file is opened by the
  // platform (so a folder whose name the ANSI code page cannot express
  // works too) and the archive reader reads it through the package.
  static std::unique_ptr<Package> FromFile(std::u16string_view path);
  // Opens a package held in memory; the package owns the bytes.
  static std::unique_ptr<Package> FromMemory(std::vector<uint8_t> bytes);
  // Opens a package over bytes that outlive it (the executable's resource);
  // only what is read of them is touched.
  static std::unique_ptr<Package> FromResource(std::span<const uint8_t> bytes);

  void* archive() const { return archive_; }  // the minizip unzFile

 private:
  Package() = default;
  void* archive_ = nullptr;
  void OpenOver(const uint8_t* data, size_t size);

  std::vector<uint8_t> bytes_;
  std::unique_ptr<MemoryZipSource> source_;
  platform::File file_;  // closed after the archive
};

// AppFolder + file_name when that file exists, else the embedded resource
// resource_id, read where it lies in the executable.
// Never null; the result may be empty (is_open() false).
std::unique_ptr<Package> OpenPackage(std::u16string_view file_name, int resource_id);

inline constexpr uint32_t kMaxMemberSize = 64u * 1024u * 1024u;

// Size of the first member whose name ends with name_suffix (ASCII letters
// compared ignoring case; name_suffix in the archive's 8-bit text), 0 when
// there is none, it cannot be read, or it declares more than kMaxMemberSize
// bytes. The member is always read to its end and checked (size and CRC),
// so a wrong password or damaged data gives 0, also when only the size is
// asked for. When buffer is given and capacity is not 0, also copies
// min(size, capacity) bytes into it (and a 0 after them when there is
// room); nothing is written at or beyond buffer + capacity, and a member
// failing its check leaves zeros, not partial bytes. password is used only
// for encrypted members (flag bit 0). Members whose names do not fit 1024
// bytes are never matched.
uint32_t ReadPackageMember(Package& package, std::string_view name_suffix, uint8_t* buffer, uint32_t capacity,
                           const char* password);

// The whole of the first member whose name ends with name_suffix (found and
// checked as by ReadPackageMember, read once); empty when that gives 0.
std::vector<uint8_t> ReadPackageMemberBytes(Package& package, std::string_view name_suffix, const char* password);

// One member met by WalkPackageMembers: its name (UTF-16 from the ANSI code
// page; members whose names do not fit 1024 bytes are passed over) and its
// declared uncompressed size.
struct PackageMember {
  std::u16string name;
  uint32_t size = 0;
};

// Calls visit for each member in archive order until it returns false.
// Inside visit, ReadCurrentMember reads the member being visited whole
// (password used when encrypted); it gives false and an empty out when the
// member cannot be read, fails its check, or is larger than kMaxMemberSize.
// Exceptions thrown by visit pass through; the package stays usable.
using MemberVisitor = std::function<bool(const PackageMember& member)>;
void WalkPackageMembers(Package& package, const MemberVisitor& visit);
bool ReadCurrentMember(Package& package, std::vector<uint8_t>& out, const char* password);

// The whole of a file outside the packages (exactly its bytes), or false
// with out untouched when it cannot be read.
bool ReadWholeFile(std::u16string_view path, std::vector<uint8_t>& out);

}  // namespace tessaro
