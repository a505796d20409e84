#include "app/tile_sheet.h"

#include <gtest/gtest.h>

#include <vector>

namespace quarl {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An 8-bit width x height sheet with a full colour table.
std::vector<uint8_t> Sheet(int width, int height) {
  size_t row = ((width * 8 + 31) / 32) * 4;
  std::vector<uint8_t> b(54 + 1024 + row * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 2, static_cast<uint32_t>(b.size()), 4);
  Put(b, 10, 54 + 1024, 4);
  Put(b, 14, 40, 4);
  Put(b, 18, static_cast<uint32_t>(width), 4);
  Put(b, 22, static_cast<uint32_t>(height), 4);
  Put(b, 26, 1, 2);
  Put(b, 28, 8, 2);
  return b;
}

TEST(TileSheet, AWholeSheetPasses) {
  EXPECT_EQ(TileSheetProblem(Sheet(640, 1600)), "");
  EXPECT_EQ(TileSheetProblem(Sheet(3, 2)), "");  // rows padded to 4 bytes
}

TEST(TileSheet, DamageIsNamed) {
  auto sheet = Sheet(640, 1600);
  EXPECT_NE(TileSheetProblem(std::span(sheet).first(100)), "");  // cut in the table
  EXPECT_EQ(TileSheetProblem(std::span(sheet).first(sheet.size() - 1)), "the file ends before its last pixel row");
  auto wrongMagic = sheet;
  wrongMagic[0] = 'X';
  EXPECT_EQ(TileSheetProblem(wrongMagic), "the file is not a bitmap");
  auto hugeHeight = sheet;
  Put(hugeHeight, 22, 0x7FFFFFFF, 4);
  EXPECT_NE(TileSheetProblem(hugeHeight), "");
  auto compressed = sheet;
  Put(compressed, 30, 1, 4);  // run-length encoded
  EXPECT_NE(TileSheetProblem(compressed), "");
  auto earlyPixels = sheet;
  Put(earlyPixels, 10, 60, 4);
  EXPECT_EQ(TileSheetProblem(earlyPixels), "the pixels overlap the colour table");
  EXPECT_EQ(TileSheetProblem(std::span<const uint8_t>()), "the file is shorter than a bitmap header");
}

}  // namespace
}  // namespace quarl
