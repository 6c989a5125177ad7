// The tray menu's rows: open, a line, exit; exit borrows the open row's
// icon when the catalogue has no quit icon.
#include "shell/controls_tray_menu.h"

#include <gtest/gtest.h>

#include "catalog/function_image_cache.h"

namespace {

using namespace tessaro;

TEST(TrayMenuRows, ExitBorrowsTheSettingIconOnlyWithoutItsOwn) {
  FunctionIcon setting, quit;
  const struct {
    FunctionIcon* quit_icon;
    FunctionIcon* exit_shows;
  } cases[] = {{&quit, &quit}, {nullptr, &setting}};
  for (const auto& c : cases) {
    const RowArray rows = BuildTrayMenuRows(u"Open setting", u"Exit", &setting, c.quit_icon);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::u16string(rows[0].name), u"Open setting");
    EXPECT_EQ(rows[0].icon, &setting);
    EXPECT_EQ(rows[1].kind, kRowSeparator);
    EXPECT_EQ(std::u16string(rows[2].name), u"Exit");
    EXPECT_EQ(rows[2].icon, c.exit_shows);
    for (const auto& [row, choice] : {std::pair{rows[0], kTrayOpenSetting}, std::pair{rows[2], kTrayExit}}) {
      EXPECT_EQ(row.kind, kRowItem);
      EXPECT_EQ(row.id, choice);
      EXPECT_EQ(row.function_index, choice);
    }
  }
}

}  // namespace
