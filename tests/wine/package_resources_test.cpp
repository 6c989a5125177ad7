#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/package.h"
#include "catalog/package_image_win.h"
#include "catalog/package_password.h"
#include "ui/gdi_raii_win.h"

namespace {

namespace fs = std::filesystem;
using tessaro::kPackagePassword;

// The bytes of one of this program's BINARY resources (language 0: any).
std::vector<uint8_t> ResourceBytes(int id, WORD language = 0) {
  HRSRC found = language ? FindResourceExW(nullptr, L"BINARY", MAKEINTRESOURCEW(id), language)
                         : FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"BINARY");
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
  return data ? std::vector<uint8_t>(data, data + SizeofResource(nullptr, found)) : std::vector<uint8_t>();
}

// An empty folder that plays the executable's folder: AppFolder points there.
// Its name is one that no ANSI code page expresses whole, as a user's folder
// may be.
class PackageFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = fs::path(temp) /
              (L"tessaro-packages-" + std::to_wstring(GetCurrentProcessId()) + L" Pr\u00FCfung \u6E2C\u8A66");
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    tessaro::SetAppFolderFromModuleName(((folder_ / L"Tessaro.exe").u16string()));
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void PlaceBeside(const wchar_t* file_name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder_ / file_name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  fs::path folder_;
};

TEST(EmbeddedResources, ThePackagesAndTablesAreInTheExecutable) {
  for (const int id : {130, 131, 135, 136}) EXPECT_FALSE(ResourceBytes(id).empty()) << id;
  EXPECT_FALSE(ResourceBytes(142, 1028).empty()) << "key code table, language 1028";
}

// Reads the executable's resource where it lies.
TEST_F(PackageFolderTest, WithoutAFileBesideThePackageComesFromTheResource) {
  const struct {
    const char16_t* file;
    int resource;
    const char* member;
  } cases[] = {
      {u"skin.pkg", 130, "skin.json"},
      {u"model.pkg", 131, "model.json"},
      {u"function.pkg", 135, "function.json"},
  };
  for (const auto& c : cases) {
    const auto package = tessaro::OpenPackage(c.file, c.resource);
    EXPECT_TRUE(package->is_open()) << c.resource;
    EXPECT_GT(tessaro::ReadPackageMember(*package, c.member, nullptr, 0, kPackagePassword), 0u) << c.member;
  }
}

TEST_F(PackageFolderTest, AFileBesideTheExecutableWinsOverTheResource) {
  // The model package under the skin's name: only the file can hold model.json.
  PlaceBeside(L"skin.pkg", ResourceBytes(131));
  const auto package = tessaro::OpenPackage(u"skin.pkg", 130);
  EXPECT_GT(tessaro::ReadPackageMember(*package, "model.json", nullptr, 0, kPackagePassword), 0u);
  EXPECT_EQ(tessaro::ReadPackageMember(*package, "skin.json", nullptr, 0, kPackagePassword), 0u);
}

TEST_F(PackageFolderTest, PictureMembersDecodeThroughGdiplus) {
  const tessaro::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus);
  PlaceBeside(L"model.pkg", ResourceBytes(131));

  const auto package = tessaro::OpenPackage(u"model.pkg", 131);
  const auto decoded = [&](const char* suffix) {
    return tessaro::DecodeImageBytes(tessaro::ReadPackageMemberBytes(*package, suffix, kPackagePassword));
  };
  const auto picture = decoded(".png");
  ASSERT_NE(picture, nullptr);
  EXPECT_GT(picture->GetWidth(), 0u);
  EXPECT_GT(picture->GetHeight(), 0u);
  EXPECT_EQ(decoded("model.json"), nullptr) << "not a picture";
  EXPECT_EQ(decoded("no such member.png"), nullptr);

  const auto model_picture = tessaro::LoadModelPicture(u".PNG");
  ASSERT_NE(model_picture, nullptr);
  EXPECT_EQ(model_picture->GetWidth(), picture->GetWidth());
}

}  // namespace
