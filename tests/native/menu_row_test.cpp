#include "catalog/menu_row.h"

#include <gtest/gtest.h>

#include "catalog/utf.h"

namespace {

TEST(MenuRow, AddRowAppendsCopiesAndGivesTheirPositions) {
  tessaro::RowArray rows;
  int picture = 0;  // stands for a picture owned elsewhere
  tessaro::_QnItemListDB row{};
  tessaro::CopyToField(u"first", row.name, std::size(row.name));
  row.image = &picture;
  EXPECT_EQ(tessaro::AddRow(rows, row), 0);
  tessaro::CopyToField(u"second", row.name, std::size(row.name));
  EXPECT_EQ(tessaro::AddRow(rows, row), 1);
  EXPECT_EQ(std::u16string(rows[0].name), u"first");
  EXPECT_EQ(rows[0].image, &picture);
  EXPECT_EQ(rows[1].image, &picture);
}

}  // namespace
