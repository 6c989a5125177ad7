#include "catalog/model_catalogue.h"

#include "catalog/document_text.h"
#include "catalog/json_values.h"
#include "catalog/language_table.h"
#include "catalog/model_document.h"
#include "catalog/package.h"
#include "catalog/package_password.h"

namespace tessaro {

namespace {

bool EndsWithIgnoringCase(std::u16string_view name, std::u16string_view suffix) {
  if (name.size() < suffix.size()) return false;
  name.remove_prefix(name.size() - suffix.size());
  for (size_t i = 0; i < name.size(); ++i) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    if (lower(name[i]) != lower(suffix[i])) return false;
  }
  return true;
}

}  // namespace

void ModelItem::Load(std::u16string_view path, const uint8_t* data, size_t size) {
  const std::unique_ptr<Package> package =
      data ? Package::FromMemory(std::vector<uint8_t>(data, data + size)) : Package::FromFile(path);
  Load(*package);
}

void ModelItem::Load(Package& package) {
  models.clear();
  ver.clear();
  std::vector<uint8_t> bytes;
  WalkPackageMembers(package, [&](const PackageMember& member) {
    if (EndsWithIgnoringCase(member.name, u"/ver.json")) {
      nlohmann::json document;
      if (ReadCurrentMember(package, bytes, kPackagePassword) && ParseJsonDocument(DocumentText(bytes), document) &&
          document.is_object() && document.contains("ver") && document["ver"].is_string())
        ver = ReadJsonText(document, "ver");
    } else if (member.name.size() > 9 && EndsWithIgnoringCase(member.name, u"model.json")) {
      if (ReadCurrentMember(package, bytes, kPackagePassword)) ParseModel(DocumentText(bytes));
    }
    return true;
  });
}

void ModelItem::ParseModel(std::string_view text) {
  nlohmann::json document;
  if (!ParseJsonDocument(text, document)) return;
  MODEL_DEF model;
  try {
    if (!ReadModelDocument(document, LanguageId, model)) return;
  } catch (const nlohmann::json::exception&) {
    return;  // a key of the wrong JSON type: the model is left out
  }
  models.push_back(model);
  // The same device may report both USB ids as 0; a second entry matches it.
  if (model.type == 2 && (model.usb_vid != 0 || model.usb_pid != 0)) {
    model.usb_vid = 0;
    model.usb_pid = 0;
    models.push_back(std::move(model));
  }
}

MODEL_DEF ModelItem::GetModel(int index) const {
  if (models.empty()) return MODEL_DEF{};
  if (index < 0 || static_cast<size_t>(index) >= models.size()) index = 0;
  return models[static_cast<size_t>(index)];
}

ModelItem& Models() {
  static ModelItem catalogue;
  return catalogue;
}

}  // namespace tessaro
