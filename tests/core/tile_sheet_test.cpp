#include "app/tile_sheet.h"

#include <gtest/gtest.h>

#include <vector>

namespace quarl {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An 8-bit width x height sheet with a full colour table; rows are padded to 4 bytes.
std::vector<uint8_t> Sheet(size_t width, size_t height) {
  std::vector<uint8_t> b(1078 + (width + 3) / 4 * 4 * height, 0);
  b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = 8;
  for (auto [at, value] : {std::pair<size_t, size_t>{2, b.size()}, {10, 1078}, {14, 40}, {18, width}, {22, height}})
    Put(b, at, static_cast<uint32_t>(value));
  return b;
}

TEST(TileSheet, WholeSheetsPassAndDamageIsNamed) {
  auto sheet = Sheet(640, 1600);
  EXPECT_EQ(TileSheetProblem(sheet), "");
  EXPECT_EQ(TileSheetProblem(Sheet(3, 2)), "");
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
