#include "catalog/function_document.h"

#include <string>
#include <vector>

#include "catalog/json_values.h"
#include "catalog/utf.h"

namespace tessaro {

namespace {

std::u16string NameIn(const nlohmann::json& names, int32_t language_id) {
  return ReadJsonText(names, std::to_string(language_id));
}

class CatalogueBuilder {
 public:
  explicit CatalogueBuilder(const FunctionDocumentContext& context) : context_(context) {}

  // Reads every key of the element before changing anything, so a type
  // error thrown by a reader leaves no trace of the element.
  void Add(const nlohmann::json& element, int32_t index) {
    if (!element.is_object()) return;
    _QnItemListDB row{};
    row.index = index;
    row.parent = parent_;
    const std::u16string image_file = ReadJsonText(element, "image_file");
    if (!image_file.empty() && context_.icon) row.icon = context_.icon(image_file);

    const std::u16string os = ReadJsonText(element, "os");
    const bool hid_no = ReadJsonInt(element, "hid_no") != 0;
    const bool hid_only = ReadJsonInt(element, "hid_only") != 0;
    static_cast<void>(ReadJsonInt(element, "mid_no"));  // no effect, but must still be a number
    const bool icon_only = ReadJsonInt(element, "image") != 0;
    const bool line = ReadJsonInt(element, "line") != 0;
    const bool folder = ReadJsonInt(element, "folder") != 0;
    const bool level_return = ReadJsonInt(element, "level_return") != 0;
    row.disable_mask = ReadJsonInt(element, "disable_mask");

    if (os == u"win11" && !context_.win11) return;
    if (icon_only) return;
    if (line) {
      row.kind = kRowSeparator;
      AddRow(catalogue_.function_rows, row);
      AddRow(catalogue_.hid_function_rows, row);
      return;
    }
    if (level_return) {
      if (parents_.empty()) {
        parent_ = 0;
      } else {
        parent_ = parents_.back();
        parents_.pop_back();
      }
      return;
    }
    const auto names = element.find("function_name");
    if (names == element.end() || names->is_null()) return;

    std::u16string name = NameIn(*names, context_.language_id);
    if (name.empty()) name = NameIn(*names, 1033);
    std::u16string previous_name;
    if (context_.previous_language_id != context_.language_id)
      previous_name = NameIn(*names, context_.previous_language_id);
    CopyToField(name, row.name, std::size(row.name));

    VX_FUNCTION_DEF definition{};
    const auto define = element.find("function_define");
    const bool has_define = !folder && define != element.end() && !define->is_null();
    if (has_define) {
      definition.type = static_cast<uint8_t>(ReadJsonInt(*define, "type"));
      CopyToField(ReadJsonText(*define, "url"), definition.url, std::size(definition.url));
      ReadJsonBytes(*define, "press", definition.press);
      ReadJsonBytes(*define, "release", definition.release);
    }

    if (!previous_name.empty()) catalogue_.function_name_translation[previous_name] = name;
    if (folder) {
      row.kind = kRowFolder;
      parents_.push_back(parent_);
      parent_ = index;
      Place(row, hid_only, hid_no);
    } else if (has_define) {
      AddFunction(row, definition, name, hid_only, hid_no);
    }
  }

  FunctionCatalogue Take() { return std::move(catalogue_); }

 private:
  void AddFunction(_QnItemListDB& row, const VX_FUNCTION_DEF& definition, const std::u16string& name, bool hid_only,
                   bool hid_no) {
    if (definition.type == kFunctionDefault) catalogue_.default_function_name = name;
    catalogue_.function_defs.push_back(definition);
    row.function_index = static_cast<int32_t>(catalogue_.function_defs.size() - 1);
    row.function_type = definition.type;
    switch (definition.type) {
      case kFunctionSpecialKey:
        if (definition.press[1] == 12 && definition.press[2] == 18) Place(row, hid_only, hid_no);
        break;
      case kFunctionWin10Only:
        if (context_.os_major_version >= 10) AddRow(catalogue_.function_rows, row);
        break;
      default: {
        const int32_t hid_position = Place(row, hid_only, hid_no);
        // The HID wheel pairs each direction with the opposite HID-only step.
        if (hid_only && definition.type == kFunctionHidStep) {
          if (definition.press[1] == 1) catalogue_.hid_plus_one_row = hid_position;
          if (definition.press[1] == 255) catalogue_.hid_minus_one_row = hid_position;
        }
      }
    }
  }

  // Returns the row's position in the HID list, -1 when it is not there.
  int32_t Place(const _QnItemListDB& row, bool hid_only, bool hid_no) {
    if (hid_only) return AddRow(catalogue_.hid_function_rows, row);
    AddRow(catalogue_.function_rows, row);
    return hid_no ? -1 : AddRow(catalogue_.hid_function_rows, row);
  }

  const FunctionDocumentContext& context_;
  FunctionCatalogue catalogue_;
  int32_t parent_ = 0;
  std::vector<int32_t> parents_;
};

}  // namespace

FunctionCatalogue BuildFunctionCatalogue(const nlohmann::json& root, const FunctionDocumentContext& context) {
  CatalogueBuilder builder(context);
  if (!root.is_array()) return builder.Take();
  int32_t index = 0;
  for (const auto& element : root) {
    try {
      builder.Add(element, index);
    } catch (const nlohmann::json::exception&) {
      // A key of the wrong JSON type: the element is left out.
    }
    ++index;
  }
  return builder.Take();
}

}  // namespace tessaro
