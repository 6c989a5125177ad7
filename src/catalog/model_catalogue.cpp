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
  std::vector<std::string> documents;
  std::vector<uint8_t> bytes;
  WalkPackageMembers(package, [&](const PackageMember& member) {
    if (EndsWithIgnoringCase(member.name, u"/ver.json")) {
      nlohmann::json document;
      if (ReadCurrentMember(package, bytes, kPackagePassword) && ParseJsonDocument(DocumentText(bytes), document) &&
          document.is_object() && document.contains("ver") && document["ver"].is_string())
        ver = ReadJsonText(document, "ver");
    } else if (member.name.size() > 9 && EndsWithIgnoringCase(member.name, u"model.json")) {
      if (ReadCurrentMember(package, bytes, kPackagePassword)) documents.emplace_back(DocumentText(bytes));
    }
    return true;
  });
  ParseModels(documents);
}

void ModelItem::ParseModels(const std::vector<std::string>& documents) {
  // At most two records per document: room for all of them up front, so no
  // 4 KB record is moved while the catalogue grows. Untouched room costs
  // no memory pages.
  models.reserve(models.size() + 2 * documents.size());
  for (const std::string& text : documents) ParseModel(text);
}

void ModelItem::ParseModel(std::string_view text) {
  nlohmann::json document;
  if (!ParseJsonDocument(text, document)) return;
  // Read in place: a record is about 4 KB, so it is not built aside and copied.
  MODEL_DEF& model = models.emplace_back();
  bool read = false;
  try {
    read = ReadModelDocument(document, LanguageId, model);
  } catch (const nlohmann::json::exception&) {
    // a key of the wrong JSON type: the model is left out
  }
  if (!read) {
    models.pop_back();
    return;
  }
  // The same device may report both USB ids as 0; a second entry matches it.
  if (model.type == 2 && (model.usb_vid != 0 || model.usb_pid != 0)) {
    MODEL_DEF second = model;
    second.usb_vid = 0;
    second.usb_pid = 0;
    models.push_back(std::move(second));
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
