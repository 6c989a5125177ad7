#include "catalog/menu_row.h"

namespace tessaro {

int32_t AddRow(RowArray& rows, const _QnItemListDB& row) {
  rows.push_back(row);
  return static_cast<int32_t>(rows.size() - 1);
}

}  // namespace tessaro
