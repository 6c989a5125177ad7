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

// The three rows in the given texts; the exit row shows the setting icon
// when there is no quit icon.
RowArray BuildTrayMenuRows(std::u16string_view open_text, std::u16string_view exit_text, void* setting_icon,
                           void* quit_icon);

}  // namespace tessaro
