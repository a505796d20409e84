#include "app/tile_sheet.h"

#include <gtest/gtest.h>

#include <vector>

namespace quarl {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An 8-bit width x height sheet with a full colour table.
std::vector<uint8_t> Sheet(int width, int height) {
  const size_t row = ((width * 8 + 31) / 32) * 4;
  std::vector<uint8_t> b(54 + 1024 + row * height, 0);
  b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 8;
  Put(b, 2, static_cast<uint32_t>(b.size()));
  Put(b, 10, 54 + 1024);
  Put(b, 14, 40);
  Put(b, 18, static_cast<uint32_t>(width));
  Put(b, 22, static_cast<uint32_t>(height));
  return b;
}

TEST(TileSheet, WholeSheetsPassAndDamageIsNamed) {
  auto sheet = Sheet(640, 1600);
  EXPECT_EQ(TileSheetProblem(sheet), "");
  EXPECT_EQ(TileSheetProblem(Sheet(3, 2)), "");  // rows padded to 4 bytes
  EXPECT_NE(TileSheetProblem(std::span(sheet).first(100)), "");  // cut in the table
  EXPECT_EQ(TileSheetProblem(std::span(sheet).first(sheet.size() - 1)), "the file ends before its last pixel row");
  EXPECT_EQ(TileSheetProblem(std::span<const uint8_t>()), "the file is shorter than a bitmap header");
  auto broken = sheet;
  Put(broken, 22, 0x7FFFFFFF);
  EXPECT_NE(TileSheetProblem(broken), "");
  broken = sheet;
  Put(broken, 30, 1);  // run-length encoded
  EXPECT_NE(TileSheetProblem(broken), "");
  broken = sheet;
  Put(broken, 10, 60);
  EXPECT_EQ(TileSheetProblem(broken), "the pixels overlap the colour table");
}

}  // namespace
}  // namespace quarl
