#include "shell/controls_tray_menu.h"

#include <iterator>

#include "catalog/utf.h"

namespace tessaro {
namespace {

_QnItemListDB Row(std::u16string_view text, FunctionIcon* icon, int32_t choice) {
  _QnItemListDB row{};
  CopyToField(text, row.name, std::size(row.name));
  row.icon = icon;
  row.id = choice;
  row.function_index = choice;
  return row;
}

}  // namespace

RowArray BuildTrayMenuRows(std::u16string_view open_text, std::u16string_view exit_text, FunctionIcon* setting_icon,
                           FunctionIcon* quit_icon) {
  RowArray rows;
  const _QnItemListDB open = Row(open_text, setting_icon, kTrayOpenSetting);
  AddRow(rows, open);
  _QnItemListDB line = open;
  line.kind = kRowSeparator;
  AddRow(rows, line);
  AddRow(rows, Row(exit_text, quit_icon ? quit_icon : setting_icon, kTrayExit));
  return rows;
}

}  // namespace tessaro
