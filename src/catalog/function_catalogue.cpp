#include "catalog/function_catalogue.h"

#include <mutex>

#include "catalog/document_text.h"
#include "catalog/function_document.h"
#include "catalog/function_image_cache.h"
#include "catalog/json_values.h"
#include "catalog/language_table.h"
#include "catalog/message_box.h"
#include "catalog/os_version.h"
#include "catalog/package.h"
#include "catalog/package_password.h"

namespace tessaro {

namespace {

struct Published {
  std::mutex mutex;
  std::shared_ptr<const FunctionCatalogue> catalogue = std::make_shared<const FunctionCatalogue>();
};

Published& Current() {
  static Published published;
  return published;
}

void Publish(FunctionCatalogue catalogue) {
  auto next = std::make_shared<const FunctionCatalogue>(std::move(catalogue));
  std::lock_guard lock(Current().mutex);
  Current().catalogue.swap(next);  // the old catalogue is freed after the lock
}

// The document is the member whose last name part is "function.json" in any
// case; backup copies beside it under other names are ignored.
bool IsFunctionDocument(std::u16string_view name) {
  const size_t slash = name.rfind(u'/');
  if (slash != std::u16string_view::npos && slash > 0) name.remove_prefix(slash + 1);
  constexpr std::u16string_view kWanted = u"function.json";
  if (name.size() != kWanted.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if ((c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c) != kWanted[i]) return false;
  }
  return true;
}

}  // namespace

void LoadFunctionCatalogue() {
  Languages().SetText(u"dbclick mode", u"Double click mode");

  const std::unique_ptr<Package> package = OpenPackage(u"function.pkg", kFunctionResourceId);
  bool found = false;
  std::vector<uint8_t> bytes;
  WalkPackageMembers(*package, [&](const PackageMember& member) {
    if (!IsFunctionDocument(member.name)) return true;
    found = true;
    ReadCurrentMember(*package, bytes, kPackagePassword);
    return false;
  });

  FunctionCatalogue catalogue;
  bool unreadable = false;
  if (found) {
    nlohmann::json root;
    unreadable = !ParseJsonDocument(DocumentText(bytes), root);
    if (!unreadable) {
      FunctionDocumentContext context;
      context.language_id = LanguageId;
      context.previous_language_id = PreviousLanguageId;
      context.win11 = isWin11();
      context.os_major_version = OsMajorVersion();
      context.icon = [&package](std::u16string_view name) { return FunctionImages().Add(name, *package); };
      catalogue = BuildFunctionCatalogue(root, context);
    }
  }
  Publish(std::move(catalogue));
  if (unreadable) ShowMessage(u"function load err");
}

std::shared_ptr<const FunctionCatalogue> FunctionCatalogueSnapshot() {
  std::lock_guard lock(Current().mutex);
  return Current().catalogue;
}

void UnloadFunctionCatalogue() {
  Publish(FunctionCatalogue{});
  FunctionImages().Clear();
}

}  // namespace tessaro
