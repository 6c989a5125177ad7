#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "catalog/keycode_table.h"

namespace {

std::string ReadShippedTable() {
  std::ifstream in(TESSARO_DATA_DIR "/keycodes.txt", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(KeyCodeTable, ShippedTableHasItsExactShape) {
  const std::string text = ReadShippedTable();
  EXPECT_EQ(text.size(), 824u);
  EXPECT_EQ(text.substr(0, 5), "0 0\r\n");
  EXPECT_EQ(text.substr(text.size() - 9), "\r\n255 255");  // no line end after the last row
  EXPECT_EQ(tessaro::ParseKeyCodeTable(text).size(), 110u);
}

TEST(KeyCodeTable, ShippedTableMapsKeysToScanCodes) {
  const auto table = tessaro::ParseKeyCodeTable(ReadShippedTable());
  const std::pair<uint16_t, uint16_t> cases[] = {
      {4, 30},       {29, 44},      {39, 11},      {49, 43},      {50, 43},      {72, 69},
      {83, 0xE045},  {70, 0xE037},  {88, 0xE01C},  {224, 29},     {230, 0xE038}, {255, 255},
  };
  for (auto [usage, scan] : cases) {
    ASSERT_TRUE(table.count(usage)) << usage;
    EXPECT_EQ(table.at(usage), scan) << usage;
  }
  for (uint16_t absent : {1, 3, 102, 143, 146, 223, 232, 254}) EXPECT_FALSE(table.count(absent)) << absent;
}

TEST(KeyCodeTable, MalformedTextGivesNoTable) {
  for (const char* bad : {"0 0\n4 30", "0 0\r\n4", "0 0\r\n4 70000", "0  0", "x 1", "0 0\r\n\r\n1 1"})
    EXPECT_TRUE(tessaro::ParseKeyCodeTable(bad).empty()) << bad;
  EXPECT_EQ(tessaro::ParseKeyCodeTable("0 0\r\n255 255").size(), 2u);
}

}  // namespace
