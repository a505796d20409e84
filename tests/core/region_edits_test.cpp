#include "history/region_edits.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "history/clipboard_block.h"
#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }
CellValues Tile(int32_t tile) { return {tile, -1, -1}; }
CellValues Anim(int32_t anim, int32_t data) { return {-1, anim, data}; }

// Gives the cells of a rectangle the values, row by row.
void Put(MapDocument& doc, int column, int row, int width, const std::vector<CellValues>& values) {
  for (size_t i = 0; i < values.size(); ++i) {
    doc.At(column + static_cast<int>(i) % width, row + static_cast<int>(i) / width).SetValues(values[i]);
  }
}

// The bytes of a 4 x 3 block as Python writes them:
// struct.pack('>3sc2H12H', b'ZOR', b'0', 4, 3, *values)
const std::vector<uint8_t> kPythonBlock = {
    0x5A, 0x4F, 0x52, 0x30, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x01, 0x18, 0x04, 0xAF, 0x83, 0x05,
    0x80, 0x00, 0xFF, 0xFF, 0x00, 0x28, 0x00, 0x29, 0x7F, 0xFF, 0xC0, 0xC8, 0x00, 0x01, 0x00, 0x02};
const std::vector<CellValues> kPythonCells = {
    Tile(0),        Tile(280),        Tile(1199), Anim(5, 3),  //
    Anim(0, 0),     Anim(255, 127),   Tile(40),   Tile(41),    //
    Tile(0x7FFF),   Anim(200, 64),    Tile(1),    Tile(2)};

TEST(ClipboardBlock, MatchesBytesWrittenByPythonBothWays) {
  MapDocument doc;
  Put(doc, 100, 100, 4, kPythonCells);
  EXPECT_EQ(EncodeClipboardBlock(CopyCellBlock(doc, Index(100, 100), 4, 3)), kPythonBlock);

  const std::optional<CellBlock> block = DecodeClipboardBlock(kPythonBlock);
  ASSERT_TRUE(block);
  PasteCellBlock(doc, Index(20, 30), *block);
  EXPECT_EQ(CopyCellBlock(doc, Index(20, 30), 4, 3).values, kPythonCells);
}

TEST(ClipboardBlock, ForeignOrShortDataIsRefused) {
  std::vector<uint8_t> bytes = kPythonBlock;
  bytes[3] = '7';         // the version character is not looked at
  bytes.push_back(0xEE);  // nor are bytes after the last value
  EXPECT_TRUE(DecodeClipboardBlock(bytes));
  bytes.resize(kPythonBlock.size() - 2);  // one value short
  EXPECT_FALSE(DecodeClipboardBlock(bytes));
  bytes.resize(kPythonBlock.size());
  bytes[2] = 'X';
  EXPECT_FALSE(DecodeClipboardBlock(bytes));
  EXPECT_FALSE(DecodeClipboardBlock(std::vector<uint8_t>{'Z', 'O', 'R', '0', 0, 1, 0}));
  // A huge size in the header with no values behind it.
  EXPECT_FALSE(DecodeClipboardBlock(std::vector<uint8_t>{'Z', 'O', 'R', '0', 0xFF, 0xFF, 0xFF, 0xFF, 0, 1}));
}

// A 10 x 3 block whose value at (c, r) is tile 100 r + c.
CellBlock NumberedBlock() {
  CellBlock block{10, 3, {}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 10; ++c) block.values.push_back(Tile(100 * r + c));
  }
  return block;
}

TEST(PasteCellBlock, StopsAtTheRightAndBottomEdgesAndKeepsModified) {
  MapDocument doc;
  EXPECT_EQ(PasteCellBlock(doc, Index(250, 254), NumberedBlock()), (CellRect{250, 254, 256, 256}));
  EXPECT_EQ(doc.At(255, 254).tile + doc.At(250, 255).tile, 5 + 100);  // the rest of row 0 was skipped
  EXPECT_EQ(doc.At(0, 255).tile, BLANK_TILE);                         // nothing wraps onto the next row
  EXPECT_EQ(doc.cellHistories.size(), 12u);
  EXPECT_EQ(doc.modified, 0);
  // Copying the same rectangle back out is cut at the map's edges.
  const CellBlock copied = CopyCellBlock(doc, Index(250, 254), 10, 3);
  EXPECT_EQ((std::tuple{copied.width, copied.height, copied.values.back()}), (std::tuple{6, 2, Tile(105)}));
}

TEST(FillRegion, AnimationKeepsTheTileWordAndEmptyBlocksFillNothing) {
  MapDocument doc;
  doc.At(0, 254).tile = 77;
  EXPECT_EQ(FillRegionWithAnimation(doc, Index(0, 254), 2, 4, 9, 5), (CellRect{0, 254, 2, 256}));
  EXPECT_EQ(doc.At(0, 254).Values(), (CellValues{77, 9, 5}));
  EXPECT_EQ(doc.At(1, 255).Values(), (CellValues{BLANK_TILE, 9, 5}));
  EXPECT_TRUE(FillRegionWithTiles(doc, Index(50, 50), 3, 3, {1, 0, 2}).Empty());
  EXPECT_EQ(doc.undoCount(), 2);  // the empty fill still records its step
}

}  // namespace
}  // namespace quarl
