// The tray icon's menu: "open setting", a line, "exit".
#pragma once

#include <cstdint>
#include <string_view>

#include "catalog/menu_row.h"

namespace tessaro {

// What a row's id asks for.
enum TrayChoice : int32_t {
  kTrayOpenSetting = 0,
  kTrayExit = 1,
};

// The three rows in the given texts with icons of the function icon cache;
// the exit row shows the setting icon when the cache has no quit icon.
RowArray BuildTrayMenuRows(std::u16string_view open_text, std::u16string_view exit_text, FunctionIcon* setting_icon,
                           FunctionIcon* quit_icon);

}  // namespace tessaro
