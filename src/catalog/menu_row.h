// One row of a popup list. Every choice list of the program (function
// menus, language menu, model list, tray menu) is an array of these rows.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaro {

class FunctionIcon;  // catalog/function_image_cache.h

enum RowKind : int32_t {
  kRowItem = 0,
  kRowFolder = 1,
  kRowSeparator = 2,
};

// Plain data, copied by value. Creators cut `name` to 127 units with
// CopyToField so the terminating zero always fits.
struct _QnItemListDB {
  int32_t position;        // set by the popup list: the row's place in the full array
  int32_t index;           // identity; a folder's children carry it as `parent`
  char16_t name[128];      // shown text, zero-terminated
  int32_t parent;          // `index` of the enclosing folder, 0 at top level
  void* image;             // Gdiplus::Image* owned by the row's creator, or null
  FunctionIcon* icon;      // without image: a cached function icon, decoded when first drawn; or null
  int32_t kind;            // RowKind
  int32_t id;              // the creator's own value, carried unread
  int32_t function_index;  // the row's value, carried unread
  int32_t disable_mask;    // hidden when it meets the list's exclusion mask
  int32_t function_type;   // hidden when equal to the list's excluded type
};

using RowArray = std::vector<_QnItemListDB>;

// Appends a copy of row and returns its position.
int32_t AddRow(RowArray& rows, const _QnItemListDB& row);

}  // namespace tessaro
