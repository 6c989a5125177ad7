#include "catalog/language_table.h"

#include <charconv>
#include <span>
#include <string_view>
#include <vector>

#include "catalog/document_text.h"
#include "catalog/json_values.h"
#include "catalog/message_box.h"
#include "catalog/package.h"
#include "catalog/package_platform.h"
#include "catalog/utf.h"
#include "vxlib.h"

namespace tessaro {

namespace {

// The driver library shows this text when a screenshot region is too large.
const char16_t* SelectionTooLongText(int32_t lcid) {
  switch (lcid) {
    case 1028:
      return u"選取內容太長,請縮小範圍";
    case 1041:
      return u"選択範囲が長すぎます。範囲を狭めてください";
    case 2052:
      return u"选取内容太长,请缩小范围";
    default:
      return u"The selection is too long.";
  }
}

// A file beside the executable replaces the embedded table, even when empty.
std::vector<uint8_t> ReadLanguageDocument() {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(AppFolder() + u"language.json", bytes)) return bytes;
  const std::span<const uint8_t> resource = platform::ModuleResource(kLanguageResourceId);
  return std::vector<uint8_t>(resource.begin(), resource.end());
}

// Leading decimal digits of a section key; 0 when there are none.
int32_t SectionLanguageId(std::string_view key) {
  int32_t value = 0;
  const auto result = std::from_chars(key.data(), key.data() + key.size(), value);
  return result.ec == std::errc() ? value : 0;
}

RowArray BuildLanguageList(const nlohmann::json& document) {
  RowArray rows;
  for (const auto& [key, section] : document.items()) {
    _QnItemListDB row{};
    const std::u16string name = section.is_object() ? ReadJsonText(section, "language name") : std::u16string();
    CopyToField(name, row.name, std::size(row.name));
    row.function_index = SectionLanguageId(key);
    AddRow(rows, row);
  }
  return rows;
}

}  // namespace

void LanguageTable::Load(int32_t lcid) {
  VX_SetErrStr(0, SelectionTooLongText(lcid));

  auto texts = std::make_shared<TextMap>();
  bool found = false;
  const std::vector<uint8_t> bytes = ReadLanguageDocument();
  if (!bytes.empty()) {
    nlohmann::json document;
    if (!ParseJsonDocument(DocumentText(bytes), document) || !document.is_object()) {
      ShowMessage(u"load language err");
    } else {
      {
        std::lock_guard lock(mutex_);
        if (list_pending_) {
          list_ = BuildLanguageList(document);
          list_pending_ = false;
        }
      }
      auto section = document.find(std::to_string(lcid));
      if (section == document.end()) section = document.find("1033");
      if (section != document.end()) {
        found = true;
        if (section->is_object()) {
          for (const auto& [key, value] : section->items()) (*texts)[Utf8ToUtf16(key)] = ReadJsonText(*section, key);
        } else {
          ShowMessage(u"load language err");
        }
      }
    }
  }
  {
    std::lock_guard lock(mutex_);
    texts_ = std::move(texts);
  }
  if (!found) ShowMessage(u"no language file");
}

std::u16string LanguageTable::Text(std::u16string_view key) const {
  std::lock_guard lock(mutex_);
  const auto it = texts_->find(std::u16string(key));
  return it != texts_->end() ? it->second : std::u16string();
}

void LanguageTable::SetText(std::u16string_view key, std::u16string_view text) {
  std::lock_guard lock(mutex_);
  auto next = std::make_shared<TextMap>(*texts_);
  (*next)[std::u16string(key)] = std::u16string(text);
  texts_ = std::move(next);
}

std::shared_ptr<const TextMap> LanguageTable::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

RowArray LanguageTable::List() const {
  std::lock_guard lock(mutex_);
  return list_;
}

LanguageTable& Languages() {
  static LanguageTable table;
  return table;
}

void LoadLanguage(int32_t lcid) { Languages().Load(lcid); }
std::u16string LanguageText(std::u16string_view key) { return Languages().Text(key); }
std::shared_ptr<const TextMap> LanguageTexts() { return Languages().Texts(); }
RowArray LanguageList() { return Languages().List(); }

}  // namespace tessaro
