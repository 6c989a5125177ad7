#include "catalog/package.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "catalog/package_password.h"
#include "catalog/package_platform.h"
#include "catalog/utf.h"
#include "tools/pkgtool/package_writer.h"

namespace {

namespace fs = std::filesystem;
using tessaro::kPackagePassword;
using tessaro::Package;
using tessaro::ReadPackageMember;

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("tessaro-package-" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Letters that do not compress much, so that a member's stored data is long
// enough to damage in the middle.
std::string Noise(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string text(size, ' ');
  for (char& c : text) c = static_cast<char>('a' + random() % 26);
  return text;
}

std::vector<uint8_t> MakePackage(const std::vector<pkgtool::Member>& members,
                                 const std::string& password = kPackagePassword) {
  TempFolder folder;
  const fs::path path = folder.path() / "made.pkg";
  EXPECT_TRUE(pkgtool::WritePackage(path.string(), members, password));
  return ReadFileBytes(path);
}

// The member's content by the two-call pattern (size, then bytes); empty
// when the member is missing or unreadable.
std::string ReadMember(Package& package, std::string_view suffix, const char* password = kPackagePassword) {
  const uint32_t size = ReadPackageMember(package, suffix, nullptr, 0, password);
  std::string content(size, '\0');
  if (size != 0) {
    EXPECT_EQ(ReadPackageMember(package, suffix, reinterpret_cast<uint8_t*>(content.data()), size, password), size);
  }
  return content;
}

// Offset of the first central directory entry.
size_t CentralDirectoryOffset(const std::vector<uint8_t>& zip) {
  static const std::string kSignature = "PK\x01\x02";
  const auto it = std::search(zip.begin(), zip.end(), kSignature.begin(), kSignature.end());
  EXPECT_NE(it, zip.end());
  return static_cast<size_t>(it - zip.begin());
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

// An archive made by Info-ZIP's zip with the given options.
std::vector<uint8_t> InfoZipArchive(const std::vector<pkgtool::Member>& members, const std::string& options) {
  TempFolder folder;
  std::string names;
  for (const auto& m : members) {
    WriteFileBytes(folder.path() / m.name, m.data);
    names += " '" + m.name + "'";
  }
  EXPECT_EQ(Shell("cd '" + folder.path().string() + "' && zip -q -X " + options + " made.zip" + names), 0);
  return ReadFileBytes(folder.path() / "made.zip");
}

TEST(MemoryZipSource, SeekStaysWithinTheDataAndKeepsThePositionOnFailure) {
  const uint8_t data[10] = {};
  const struct {
    uint32_t start;
    int64_t offset;
    int origin;
    long result;
    uint32_t position;
  } cases[] = {
      {4, 3, 0, 0, 3},   {4, 2, 1, 0, 6},    {4, -4, 1, 0, 0},         {4, -1, 2, 0, 9},         {4, 0, 2, 0, 10},
      {4, 10, 0, 0, 10}, {4, 11, 0, -1, 4},  {4, 7, 1, -1, 4},         {4, 1, 2, -1, 4},         {4, -5, 1, -1, 4},
      {4, -1, 0, -1, 4}, {4, -11, 2, -1, 4}, {4, INT64_MAX, 2, -1, 4}, {4, INT64_MIN, 1, -1, 4}, {4, 0, 3, -1, 4},
  };
  for (const auto& c : cases) {
    tessaro::MemoryZipSource source{data, sizeof data, c.start};
    EXPECT_EQ(source.Seek(c.offset, c.origin), c.result) << c.offset << " from " << c.origin;
    EXPECT_EQ(source.Tell(), c.position) << c.offset << " from " << c.origin;
  }
}

TEST(MemoryZipSource, ReadCopiesWhatIsLeftAndAdvances) {
  const uint8_t data[5] = {1, 2, 3, 4, 5};
  tessaro::MemoryZipSource source{data, sizeof data, 0};
  uint8_t out[8] = {};
  EXPECT_EQ(source.Read(out, 3), 3u);
  EXPECT_EQ(source.Read(out + 3, 8), 2u);
  EXPECT_EQ(source.Read(out + 5, 8), 0u);
  EXPECT_EQ(source.Tell(), 5u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 5), std::vector<uint8_t>(data, data + 5));
}

TEST(ReadPackageMember, FindsTheFirstMemberEndingWithTheSuffixIgnoringCase) {
  auto package = Package::FromMemory(MakePackage({
      {"skin_korvane/skin.json", Bytes("skin")},
      {"model_korvane/01_2103/Model.JSON", Bytes("first model")},
      {"model_korvane/01_2103/01_2103.png", Bytes("picture")},
      {"model_korvane/01_2103BT/model.json", Bytes("second model")},
      {"model_korvane/01_2103BT/01_2103.png", Bytes("picture copy")},
      {"json", Bytes("short")},
  }));
  const struct {
    const char* suffix;
    const char* content;
  } cases[] = {
      {"model.json", "first model"},
      {"MODEL.json", "first model"},
      {"01_2103.png", "picture"},
      {"01_2103BT/01_2103.png", "picture copy"},
      {"01_2103bt/MODEL.JSON", "second model"},
      {"skin.json", "skin"},
      {"json", "skin"},
      {"/json", ""},  // only the member "json" ends so, and it is shorter
      {"model_korvane/01_2103/Model.JSON.bak", ""},
      {"longer prefix than any name/skin_korvane/skin.json", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadMember(*package, c.suffix), c.content) << c.suffix;
}

TEST(ReadPackageMember, NeverWritesAtOrBeyondTheCapacity) {
  const std::string content = Noise(1000, 1);
  auto package = Package::FromMemory(MakePackage({{"a/data.json", Bytes(content)}}));
  constexpr uint8_t kGuard = 0xCD;
  for (const uint32_t capacity : {1u, 10u, 511u, 512u, 513u, 999u, 1000u, 1001u, 2000u}) {
    std::vector<uint8_t> buffer(capacity + 64, kGuard);
    EXPECT_EQ(ReadPackageMember(*package, "data.json", buffer.data(), capacity, kPackagePassword), 1000u) << capacity;
    const uint32_t copied = std::min(capacity, 1000u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + copied), content.substr(0, copied)) << capacity;
    uint32_t end = capacity;
    if (copied < capacity) {
      EXPECT_EQ(buffer[copied], 0) << capacity;
      end = std::max(end, copied + 1);
    }
    EXPECT_TRUE(std::all_of(buffer.begin() + end, buffer.end(), [](uint8_t b) { return b == kGuard; })) << capacity;
  }
}

TEST(ReadPackageMember, GivesTheSizeWithoutABufferOrCapacity) {
  auto package = Package::FromMemory(MakePackage({{"a/data.json", Bytes("0123456789")}}));
  uint8_t buffer[4] = {7, 7, 7, 7};
  EXPECT_EQ(ReadPackageMember(*package, "data.json", nullptr, 0, kPackagePassword), 10u);
  EXPECT_EQ(ReadPackageMember(*package, "data.json", nullptr, 4, kPackagePassword), 10u);
  EXPECT_EQ(ReadPackageMember(*package, "data.json", buffer, 0, kPackagePassword), 10u);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), std::vector<uint8_t>(4, 7));
}

// Runs of zeros whose last input is taken by the same inflate call that
// fills the 16 KB output area: the bytes still held in the inflater must
// come out, whether the area is scratch (size query) or the caller's buffer.
TEST(ReadPackageMember, OutputFilledExactlyAsTheInputEnds) {
  for (const uint32_t size : {16451u, 32963u, 65537u}) {
    auto package = Package::FromMemory(MakePackage({{"a/zeros.png", std::vector<uint8_t>(size, 0)}}));
    for (const uint32_t capacity : {0u, 16384u, size}) {
      std::vector<uint8_t> buffer(capacity, 0xCD);
      EXPECT_EQ(
          ReadPackageMember(*package, "zeros.png", capacity ? buffer.data() : nullptr, capacity, kPackagePassword),
          size)
          << size << " into " << capacity;
      EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0; }))
          << size << " into " << capacity;
    }
  }
}

TEST(ReadPackageMember, UnreadableMembersAndArchivesGiveNothing) {
  const std::string content = Noise(3000, 2);
  const std::vector<uint8_t> good = MakePackage({{"skin_korvane/skin.json", Bytes(content)}});

  std::vector<uint8_t> damaged = good;
  damaged[30 + std::string("skin_korvane/skin.json").size() + 200] ^= 0x55;

  std::vector<uint8_t> oversized = good;
  Put32(oversized, 22, tessaro::kMaxMemberSize + 1);  // local header
  Put32(oversized, CentralDirectoryOffset(oversized) + 24, tessaro::kMaxMemberSize + 1);

  // Stored members: only the CRC tells wrong bytes from right ones.
  const std::vector<uint8_t> stored =
      InfoZipArchive({{"skin_korvane/skin.json", Bytes(content)}}, "-0 -P pXoda@7720416583");
  std::vector<uint8_t> stored_damaged = stored;
  stored_damaged[30 + std::string("skin_korvane/skin.json").size() + 200] ^= 0x55;

  std::vector<uint8_t> truncated = good;
  truncated.resize(good.size() / 2);

  const struct {
    const char* label;
    std::vector<uint8_t> bytes;
    const char* password;
  } cases[] = {
      {"wrong password", good, "pXoda@7720416584"},
      {"no password for an encrypted member", good, nullptr},
      {"damaged member data", damaged, kPackagePassword},
      {"stored member, wrong password", stored, "pXoda@7720416584"},
      {"stored member, damaged data", stored_damaged, kPackagePassword},
      {"member declaring more than the limit", oversized, kPackagePassword},
      {"truncated archive", truncated, kPackagePassword},
      {"not a zip", Bytes("this is not an archive at all, just some text"), kPackagePassword},
      {"zero-length input", {}, kPackagePassword},
      // Cut to the 1024-byte name buffer this name would end in skin.json.
      {"name longer than the name buffer",
       MakePackage({{std::string(1024 - 9, 'n') + "skin.json.bak", Bytes(content)}}), kPackagePassword},
      {"empty member", MakePackage({{"skin_korvane/skin.json", {}}}), kPackagePassword},
  };
  constexpr uint8_t kFill = 0xEE;
  for (const auto& c : cases) {
    auto package = Package::FromMemory(c.bytes);
    std::vector<uint8_t> buffer(4096, kFill);
    EXPECT_EQ(ReadPackageMember(*package, "skin.json", nullptr, 0, c.password), 0u) << c.label;
    EXPECT_EQ(ReadPackageMember(*package, "skin.json", buffer.data(), 4096, c.password), 0u) << c.label;
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0 || b == kFill; }))
        << c.label << ": no partial content may remain";
  }
}

TEST(WalkPackageMembers, VisitsMembersInArchiveOrderAndReadsTheCurrentOne) {
  const std::string long_name = std::string(1100, 'n') + "/skipped.json";
  auto package = Package::FromMemory(MakePackage({
      {"function_tirro/function.json", Bytes("{\"a\":1}")},
      {long_name, Bytes("too long a name")},
      {"function_tirro/icon/copy.png", Bytes("png bytes")},
      {"function_tirro/empty.json", {}},
  }));
  struct Seen {
    std::u16string name;
    uint32_t size;
    std::string content;
    bool read_with_wrong_password;
  };
  std::vector<Seen> seen;
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember& member) {
    std::vector<uint8_t> wrong = {1, 2, 3};
    const bool wrong_ok = tessaro::ReadCurrentMember(*package, wrong, "wrong");
    EXPECT_TRUE(wrong.empty());
    std::vector<uint8_t> out;
    EXPECT_TRUE(tessaro::ReadCurrentMember(*package, out, kPackagePassword));
    seen.push_back({member.name, member.size, std::string(out.begin(), out.end()), wrong_ok});
    return true;
  });
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].name, u"function_tirro/function.json");
  EXPECT_EQ(seen[0].size, 7u);
  EXPECT_EQ(seen[0].content, "{\"a\":1}");
  EXPECT_EQ(seen[1].name, u"function_tirro/icon/copy.png");
  EXPECT_EQ(seen[1].content, "png bytes");
  EXPECT_EQ(seen[2].size, 0u);
  EXPECT_EQ(seen[2].content, "");
  EXPECT_FALSE(seen[0].read_with_wrong_password);
  EXPECT_FALSE(seen[1].read_with_wrong_password);

  int visits = 0;
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember&) { return ++visits < 2; });
  EXPECT_EQ(visits, 2);
}

TEST(WalkPackageMembers, AnArchiveThatDidNotOpenHasNoMembers) {
  auto package = Package::FromMemory(Bytes("PK but nothing more"));
  EXPECT_FALSE(package->is_open());
  int visits = 0;
  tessaro::WalkPackageMembers(*package, [&](const tessaro::PackageMember&) { return ++visits > 0; });
  EXPECT_EQ(visits, 0);
  std::vector<uint8_t> out;
  EXPECT_FALSE(tessaro::ReadCurrentMember(*package, out, kPackagePassword));
}

TEST(InfoZip, OurReaderReadsArchivesMadeByZip) {
  const std::string json = "{\"model_id\": \"0x046d\", \"name\": \"" + Noise(2000, 3) + "\"}";
  const std::string binary = Noise(700, 4) + std::string("\0\x01\xff", 3);
  const struct {
    const char* options;
    const char* password;
  } cases[] = {
      {"-P pXoda@7720416583", kPackagePassword},
      {"-0 -P pXoda@7720416583", kPackagePassword},
      {"", nullptr},
      {"", kPackagePassword},  // a password is only used for encrypted members
  };
  for (const auto& c : cases) {
    auto package = Package::FromMemory(InfoZipArchive(
        {{"model_korvane/01_2103/model.json", Bytes(json)}, {"model_korvane/ver.bin", Bytes(binary)}}, c.options));
    EXPECT_EQ(ReadMember(*package, "model.json", c.password), json) << c.options;
    EXPECT_EQ(ReadMember(*package, "ver.bin", c.password), binary) << c.options;
  }
}

TEST(InfoZip, UnzipAcceptsOurPackagesWithThePasswordOnly) {
  TempFolder folder;
  const std::string path = (folder.path() / "made.pkg").string();
  ASSERT_TRUE(pkgtool::WritePackage(path,
                                    {{"skin_korvane/skin.json", Bytes("{\"skin\": \"" + Noise(500, 5) + "\"}")},
                                     {"skin_korvane/image/a.png", Bytes(Noise(100, 6))}},
                                    kPackagePassword));
  const std::string quiet = " >/dev/null 2>&1 </dev/null";
  EXPECT_EQ(Shell("unzip -t -P '" + std::string(kPackagePassword) + "' '" + path + "'" + quiet), 0);
  // setsid: no terminal, so unzip cannot ask for the password and skips.
  EXPECT_NE(Shell("setsid -w unzip -t '" + path + "'" + quiet), 0);
  EXPECT_NE(Shell("unzip -t -P wrong '" + path + "'" + quiet), 0);
}

TEST(AppFolder, IsTheModuleNameCutAfterItsLastBackslash) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"C:\\Program Files\\Vornel\\Tessaro.exe", u"C:\\Program Files\\Vornel\\"},
      {u"C:\\Tessaro.exe", u"C:\\"},
      {u"Tessaro.exe", u"Tessaro.exe\\"},
      {u"", u"\\"},
      {u"C:\\folder\\", u"C:\\folder\\"},
  };
  for (const auto& [module, folder] : cases) {
    tessaro::SetAppFolderFromModuleName(module);
    EXPECT_EQ(tessaro::AppFolder(), folder) << tessaro::Utf16ToUtf8(module);
  }
}

TEST(OpenPackage, AFileBesideTheExecutableWinsOverTheResource) {
  TempFolder folder;
  tessaro::SetAppFolderFromModuleName(tessaro::Utf8ToUtf16(folder.path().string()) + u"\\Tessaro.exe");
  tessaro::platform::SetModuleResource(131, MakePackage({{"model_korvane/ver.json", Bytes("embedded")}}));
  EXPECT_EQ(ReadMember(*tessaro::OpenPackage(u"model.pkg", 131), "ver.json"), "embedded");

  WriteFileBytes(folder.path() / "model.pkg", MakePackage({{"model_korvane/ver.json", Bytes("beside")}}));
  EXPECT_EQ(ReadMember(*tessaro::OpenPackage(u"model.pkg", 131), "ver.json"), "beside");
  tessaro::platform::SetModuleResource(131, {});

  // Neither file nor resource: an empty package.
  auto missing = tessaro::OpenPackage(u"function.pkg", 135);
  EXPECT_FALSE(missing->is_open());
  EXPECT_EQ(ReadPackageMember(*missing, "function.json", nullptr, 0, kPackagePassword), 0u);
}

TEST(ReadWholeFile, GivesExactlyTheFileOrNothing) {
  TempFolder folder;
  const std::vector<uint8_t> bytes = Bytes(Noise(100000, 7) + std::string("\0end", 4));
  WriteFileBytes(folder.path() / "buttonSetting.json", bytes);
  const std::u16string base = tessaro::Utf8ToUtf16(folder.path().string());

  std::vector<uint8_t> out = {9};
  EXPECT_TRUE(tessaro::ReadWholeFile(base + u"\\buttonSetting.json", out));
  EXPECT_EQ(out, bytes);

  out = {9};
  EXPECT_FALSE(tessaro::ReadWholeFile(base + u"\\missing.json", out));
  EXPECT_EQ(out, std::vector<uint8_t>{9});
}

}  // namespace
