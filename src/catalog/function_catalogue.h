// The function catalogue: the actions a button can be given, as driver
// records and as the general and HID menu rows built from function.json.
//
// A load builds a whole new catalogue aside and publishes it in one swap,
// so a reader on another thread (the function menu builder) always holds a
// complete catalogue: take a snapshot and read it for as long as needed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/menu_row.h"
#include "vxlib.h"

namespace tessaro {

// Action types the program itself interprets.
inline constexpr uint8_t kFunctionCustomKeyStored = 2;
inline constexpr uint8_t kFunctionHidStep = 6;
inline constexpr uint8_t kFunctionWin10Only = 20;
inline constexpr uint8_t kFunctionSpecialKey = 22;
inline constexpr uint8_t kFunctionCustomKey = 254;
inline constexpr uint8_t kFunctionDefault = 255;

inline constexpr int kFunctionResourceId = 135;

struct FunctionCatalogue {
  // Every function element that was not skipped, in document order (also
  // those whose row is not listed); rows refer to them by function_index.
  std::vector<VX_FUNCTION_DEF> function_defs;
  RowArray function_rows;                // offered for ordinary buttons
  RowArray hid_function_rows;            // offered for HID buttons
  std::u16string default_function_name;  // name of the last type 255 row
  // Positions in hid_function_rows of the last HID-only type 6 rows with
  // press[1] 1 and 255; -1 when the document has none.
  int32_t hid_plus_one_row = -1;
  int32_t hid_minus_one_row = -1;
  // Name in the previous display language -> name in the current one;
  // filled only while PreviousLanguageId differs from LanguageId.
  std::unordered_map<std::u16string, std::u16string> function_name_translation;
};

// Rebuilds the catalogue from "function.json" of the function package (the
// file beside the executable or the embedded copy) in the current
// language, and sets the language text "dbclick mode". Rows refer to their
// icons in FunctionImages(), which decodes each when first drawn. A
// document that does not parse shows "function load err" and leaves an
// empty catalogue.
void LoadFunctionCatalogue();

// The current catalogue; never null (empty before the first load).
std::shared_ptr<const FunctionCatalogue> FunctionCatalogueSnapshot();

// Empties the catalogue and frees its icons. Whoever loaded it calls this
// once nothing draws its rows any more and before GDI+ ends (on Windows the
// icons are GDI+ pictures, which must not outlive it).
void UnloadFunctionCatalogue();

}  // namespace tessaro
