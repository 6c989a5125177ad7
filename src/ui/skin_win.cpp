#include <memory>
#include <string>
#include <vector>

#include "catalog/package.h"
#include "catalog/package_password.h"
#include "catalog/package_platform.h"
#include "ui/panel_image_win.h"
#include "ui/skin.h"

namespace tessaro {
namespace {

constexpr int kSkinResourceId = 130;

class PackageSkinSource final : public SkinSource {
 public:
  explicit PackageSkinSource(Package& package) : package_(package) {}

  std::vector<uint8_t> ReadMember(std::u16string_view name) override {
    std::string suffix;
    if (!platform::ToArchiveText(name, suffix)) return {};
    return ReadPackageMemberBytes(package_, suffix, kPackagePassword);
  }

  // The picture's file now, its pixels when it is first drawn; a file that
  // does not decode draws as none.
  PanelImagePtr LoadPicture(std::u16string_view name) override {
    std::vector<uint8_t> file = ReadMember(name);
    if (file.empty()) return nullptr;
    return std::make_unique<GdiplusPanelImage>(std::move(file));
  }

 private:
  Package& package_;
};

}  // namespace

void LoadSkin(SkinPanel& panel) {
  const std::unique_ptr<Package> package = OpenPackage(u"skin.pkg", kSkinResourceId);
  PackageSkinSource source(*package);
  ApplySkin(source, panel);
}

}  // namespace tessaro
