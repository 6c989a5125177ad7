#include "catalog/package.h"

#include <unzip.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "catalog/member_decoder.h"
#include "catalog/package_platform.h"

namespace tessaro {

// --- MemoryZipSource and the archive reader's file functions over it ---

uint32_t MemoryZipSource::Read(void* out, uint32_t count) {
  const uint32_t n = std::min(count, size - position);
  if (n > 0) std::memcpy(out, data + position, n);
  position += n;
  return n;
}

long MemoryZipSource::Seek(int64_t offset, int origin) {
  int64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = position;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = size;
      break;
    default:
      return -1;
  }
  // base + offset within [0, size], compared without overflowing.
  if (offset < -base || offset > static_cast<int64_t>(size) - base) return -1;
  position = static_cast<uint32_t>(base + offset);
  return 0;
}

namespace {

MemoryZipSource& Source(voidpf stream) { return *static_cast<MemoryZipSource*>(stream); }

voidpf ZCALLBACK OpenSource(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK ReadSource(voidpf, voidpf stream, void* buf, uLong size) {
  const uLong count = std::min<uLong>(size, std::numeric_limits<uint32_t>::max());
  return Source(stream).Read(buf, static_cast<uint32_t>(count));
}

ZPOS64_T ZCALLBACK TellSource(voidpf, voidpf stream) { return Source(stream).Tell(); }

long ZCALLBACK SeekSource(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  return Source(stream).Seek(static_cast<int64_t>(offset), origin);
}

int ZCALLBACK CloseSource(voidpf, voidpf) { return 0; }

int ZCALLBACK TestSourceError(voidpf, voidpf) { return 0; }

// --- the archive reader's file functions over a file the package opened ---

std::FILE* OpenedFile(voidpf stream) { return static_cast<std::FILE*>(stream); }

voidpf ZCALLBACK OpenPackageFile(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK ReadPackageFile(voidpf, voidpf stream, void* buf, uLong size) {
  return static_cast<uLong>(std::fread(buf, 1, size, OpenedFile(stream)));
}

// The reader's 64-bit positions as the C library's: a file too large for
// them cannot be a package.
ZPOS64_T ZCALLBACK TellPackageFile(voidpf, voidpf stream) {
  const long position = std::ftell(OpenedFile(stream));
  return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK SeekPackageFile(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  int whence = SEEK_SET;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      whence = SEEK_SET;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      whence = SEEK_CUR;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      whence = SEEK_END;
      break;
    default:
      return -1;
  }
  // Offsets are two's complement in the unsigned type (a seek back from the
  // end is negative).
  const auto signed_offset = static_cast<int64_t>(offset);
  if (signed_offset < std::numeric_limits<long>::min() || signed_offset > std::numeric_limits<long>::max()) return -1;
  return std::fseek(OpenedFile(stream), static_cast<long>(signed_offset), whence) == 0 ? 0 : -1;
}

// The package closes the file after the archive.
int ZCALLBACK ClosePackageFile(voidpf, voidpf) { return 0; }

int ZCALLBACK TestPackageFileError(voidpf, voidpf stream) { return std::ferror(OpenedFile(stream)); }

// File functions for the archive reader, which only reads: no write.
constexpr zlib_filefunc64_def ReadingFunctions(open64_file_func open, read_file_func read, tell64_file_func tell,
                                               seek64_file_func seek, close_file_func close,
                                               testerror_file_func error) {
  return {open, read, nullptr, tell, seek, close, error, nullptr};
}
constexpr zlib_filefunc64_def kSourceFunctions =
    ReadingFunctions(OpenSource, ReadSource, TellSource, SeekSource, CloseSource, TestSourceError);
constexpr zlib_filefunc64_def kPackageFileFunctions = ReadingFunctions(
    OpenPackageFile, ReadPackageFile, TellPackageFile, SeekPackageFile, ClosePackageFile, TestPackageFileError);

// The archive over stream, which the functions are given as their opaque
// value and open returns.
unzFile OpenArchive(zlib_filefunc64_def functions, voidpf stream) {
  functions.opaque = stream;
  return unzOpen2_64(stream, &functions);
}

// --- member search and reading ---

// Member names longer than this (with their terminating zero) are never
// matched or walked: a cut name would be compared by its wrong end.
constexpr uLong kNameBufferSize = 1024;

struct Entry {
  std::string name;
  unz_file_info64 info{};
};

unzFile Zip(const Package& package) { return static_cast<unzFile>(package.archive()); }

// Calls visit for each member in archive order until it returns false or
// the directory cannot be read further.
template <class Visit>
void ForEachEntry(unzFile zip, Visit&& visit) {
  if (!zip) return;
  for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
    Entry entry;
    char name[kNameBufferSize];
    if (unzGetCurrentFileInfo64(zip, &entry.info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) return;
    if (entry.info.size_filename >= kNameBufferSize) continue;
    entry.name.assign(name, entry.info.size_filename);
    if (!visit(entry)) return;
  }
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// Leaves the first member whose name ends with suffix as the current one.
bool FindMember(unzFile zip, std::string_view suffix, unz_file_info64& info) {
  bool found = false;
  ForEachEntry(zip, [&](const Entry& entry) {
    found = EndsWithIgnoringCase(entry.name, suffix);
    if (found) info = entry.info;
    return !found;
  });
  return found;
}

class CurrentMemberRaw {
 public:
  explicit CurrentMemberRaw(unzFile zip) : zip_(zip) {
    int method = 0, level = 0;
    open_ = unzOpenCurrentFile2(zip_, &method, &level, 1) == UNZ_OK;
  }
  ~CurrentMemberRaw() {
    if (open_) unzCloseCurrentFile(zip_);
  }
  CurrentMemberRaw(const CurrentMemberRaw&) = delete;
  CurrentMemberRaw& operator=(const CurrentMemberRaw&) = delete;

  bool is_open() const { return open_; }

 private:
  unzFile zip_;
  bool open_;
};

// Reads the current member whole (see DecodeMember): its stored bytes come
// raw from the archive reader and are decrypted and checked here.
bool ReadCurrent(unzFile zip, const unz_file_info64& info, const char* password, uint8_t* out, uint32_t capacity) {
  if (info.uncompressed_size > kMaxMemberSize) return false;
  CurrentMemberRaw member(zip);
  if (!member.is_open()) return false;
  const MemberLayout layout{static_cast<uint32_t>(info.compression_method), (info.flag & 1u) != 0,
                            info.uncompressed_size, static_cast<uint32_t>(info.crc)};
  const StoredBytesReader read = [zip](uint8_t* into, uint32_t count) { return unzReadCurrentFile(zip, into, count); };
  return DecodeMember(layout, password, read, out, capacity);
}

}  // namespace

// --- Package ---

Package::~Package() {
  if (archive_) unzClose(static_cast<unzFile>(archive_));
}

std::unique_ptr<Package> Package::FromFile(std::u16string_view path) {
  std::unique_ptr<Package> package(new Package());
  package->file_ = platform::OpenForReading(path);
  if (package->file_) package->archive_ = OpenArchive(kPackageFileFunctions, package->file_.get());
  return package;
}

std::unique_ptr<Package> Package::FromMemory(std::vector<uint8_t> bytes) {
  std::unique_ptr<Package> package(new Package());
  package->bytes_ = std::move(bytes);
  package->OpenOver(package->bytes_.data(), package->bytes_.size());
  return package;
}

std::unique_ptr<Package> Package::FromResource(std::span<const uint8_t> bytes) {
  std::unique_ptr<Package> package(new Package());
  package->OpenOver(bytes.data(), bytes.size());
  return package;
}

void Package::OpenOver(const uint8_t* data, size_t size) {
  if (size > std::numeric_limits<uint32_t>::max()) return;
  source_ = std::make_unique<MemoryZipSource>();
  source_->data = data;
  source_->size = static_cast<uint32_t>(size);
  archive_ = OpenArchive(kSourceFunctions, source_.get());
}

uint32_t ReadPackageMember(Package& package, std::string_view name_suffix, uint8_t* buffer, uint32_t capacity,
                           const char* password) {
  unzFile zip = Zip(package);
  unz_file_info64 info{};
  if (!FindMember(zip, name_suffix, info)) return 0;
  if (!buffer) capacity = 0;
  if (!ReadCurrent(zip, info, password, buffer, capacity)) return 0;
  const auto size = static_cast<uint32_t>(info.uncompressed_size);
  if (size < capacity) buffer[size] = 0;
  return size;
}

std::vector<uint8_t> ReadPackageMemberBytes(Package& package, std::string_view name_suffix, const char* password) {
  unzFile zip = Zip(package);
  unz_file_info64 info{};
  if (!FindMember(zip, name_suffix, info) || info.uncompressed_size == 0 || info.uncompressed_size > kMaxMemberSize)
    return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(info.uncompressed_size));
  if (!ReadCurrent(zip, info, password, bytes.data(), static_cast<uint32_t>(bytes.size()))) return {};
  return bytes;
}

void WalkPackageMembers(Package& package, const MemberVisitor& visit) {
  ForEachEntry(Zip(package), [&](const Entry& entry) {
    const PackageMember member{
        platform::FromArchiveText(entry.name),
        static_cast<uint32_t>(std::min<ZPOS64_T>(entry.info.uncompressed_size, std::numeric_limits<uint32_t>::max()))};
    return visit(member);
  });
}

bool ReadCurrentMember(Package& package, std::vector<uint8_t>& out, const char* password) {
  out.clear();
  unzFile zip = Zip(package);
  unz_file_info64 info{};
  if (!zip || unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
  if (info.uncompressed_size > kMaxMemberSize) return false;
  out.resize(static_cast<size_t>(info.uncompressed_size));
  if (ReadCurrent(zip, info, password, out.data(), static_cast<uint32_t>(out.size()))) return true;
  out.clear();
  return false;
}

}  // namespace tessaro
