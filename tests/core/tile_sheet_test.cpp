#include "app/tile_sheet.h"
#include "app/tile_sheet_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace quarl {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The program's own sheet writer: a sheet it writes must pass.
std::vector<uint8_t> Sheet(int width, int height) {
  return EncodeIndexedBmp(width, height, {}, std::vector<uint8_t>(static_cast<size_t>(width * height)));
}

TEST(TileSheet, WholeSheetsPassAndDamageIsNamed) {
  auto sheet = Sheet(640, 1600);
  EXPECT_EQ(TileSheetProblem(sheet), "");
  EXPECT_EQ(TileSheetProblem(Sheet(3, 2)), "");
  EXPECT_NE(TileSheetProblem(std::span(sheet).first(100)), "");  // cut in the table
  EXPECT_EQ(TileSheetProblem(std::span(sheet).first(sheet.size() - 1)), "the file ends before its last pixel row");
  EXPECT_EQ(TileSheetProblem(std::span<const uint8_t>()), "the file is shorter than a bitmap header");
  // A huge height, run-length encoding, pixels inside the colour table.
  for (auto [at, value] : {std::pair<size_t, uint32_t>{22, 0x7FFFFFFF}, {30, 1}, {10, 60}}) {
    auto broken = sheet;
    Put(broken, at, value);
    EXPECT_NE(TileSheetProblem(broken), "") << at;
  }
}

}  // namespace
}  // namespace quarl
