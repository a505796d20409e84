// Region edits on the history: clipboard blocks, paste, fill, mirror and rotate.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "history/clipboard_block.h"
#include "history/region_edits.h"
#include "history/transforms.h"
#include "history/undo.h"

namespace quarl {
namespace {

int Index(int column, int row) { return row * kMapCells + column; }
CellValues Tile(int32_t tile) { return {tile, -1, -1}; }
CellValues Anim(int32_t anim, int32_t data) { return {-1, anim, data}; }
constexpr TileRef A(int32_t anim) { return ANIM_FLAG | static_cast<TileRef>(anim); }
const CellValues kBlank = Tile(BLANK_TILE);

class RegionTest : public ::testing::Test {
 protected:
  RegionTest() {
    // Mirror groups: tile, vertical mirror, horizontal mirror, both.
    tables.mirror.entries = {{{10, 11, 12, 13}}, {{A(5), A(6), A(7), A(8)}}};
    // Rotate groups: tile, turned 90, 180, 270 degrees; tile 30 turns into an animation.
    tables.rotate.entries = {{{20, 21, 22, 23}}, {{30, A(9), 32, 33}}};
  }
  // The cells of a rectangle, row by row.
  std::vector<CellValues> Grid(int column, int row, int width, int height) const {
    std::vector<CellValues> cells;
    for (int i = 0; i < width * height; ++i) cells.push_back(doc.At(column + i % width, row + i / width).Values());
    return cells;
  }
  void Put(int column, int row, int width, const std::vector<CellValues>& values) {
    for (int i = 0; i < std::ssize(values); ++i) doc.At(column + i % width, row + i / width).SetValues(values[i]);
  }

  MapDocument doc;
  MirrorRotateTables tables;
};

// The bytes of a 4 x 3 block as Python writes them:
// struct.pack('>3sc2H12H', b'ZOR', b'0', 4, 3, *values)
const std::vector<uint8_t> kPythonBlock = {
    0x5A, 0x4F, 0x52, 0x30, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x01, 0x18, 0x04, 0xAF, 0x83, 0x05,
    0x80, 0x00, 0xFF, 0xFF, 0x00, 0x28, 0x00, 0x29, 0x7F, 0xFF, 0xC0, 0xC8, 0x00, 0x01, 0x00, 0x02};
const std::vector<CellValues> kPythonCells = {
    Tile(0),        Tile(280),        Tile(1199), Anim(5, 3),  //
    Anim(0, 0),     Anim(255, 127),   Tile(40),   Tile(41),    //
    Tile(0x7FFF),   Anim(200, 64),    Tile(1),    Tile(2)};

TEST_F(RegionTest, ClipboardBlockMatchesBytesWrittenByPythonBothWays) {
  Put(100, 100, 4, kPythonCells);
  EXPECT_EQ(EncodeClipboardBlock(CopyCellBlock(doc, Index(100, 100), 4, 3)), kPythonBlock);

  const std::optional<CellBlock> block = DecodeClipboardBlock(kPythonBlock);
  ASSERT_TRUE(block);
  PasteCellBlock(doc, Index(20, 30), *block);
  EXPECT_EQ(Grid(20, 30, 4, 3), kPythonCells);
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

TEST_F(RegionTest, PasteStopsAtTheRightAndBottomEdgesAndKeepsModified) {
  CellBlock block{10, 3, {}};  // tile 100 r + c at (c, r)
  for (int i = 0; i < 30; ++i) block.values.push_back(Tile(100 * (i / 10) + i % 10));
  EXPECT_EQ(PasteCellBlock(doc, Index(250, 254), block), (CellRect{250, 254, 256, 256}));
  // The rest of row 0 is skipped, and nothing wraps onto the next row.
  EXPECT_EQ((std::vector{doc.At(255, 254).tile, doc.At(250, 255).tile, doc.At(0, 255).tile}),
            (std::vector{5, 100, BLANK_TILE}));
  EXPECT_EQ(std::pair(doc.cellHistories.size(), doc.modified), std::pair(size_t{12}, 0));
  // Copying the same rectangle back out is cut at the map's edges.
  const CellBlock copied = CopyCellBlock(doc, Index(250, 254), 10, 3);
  EXPECT_EQ((std::tuple{copied.width, copied.height, copied.values.back()}), (std::tuple{6, 2, Tile(105)}));
}

TEST_F(RegionTest, FillWithAnAnimationKeepsTheTileWordAndEmptyBlocksFillNothing) {
  doc.At(0, 254).tile = 77;
  EXPECT_EQ(FillRegionWithAnimation(doc, Index(0, 254), 2, 4, 9, 5), (CellRect{0, 254, 2, 256}));
  EXPECT_EQ(doc.At(0, 254).Values(), (CellValues{77, 9, 5}));
  EXPECT_EQ(doc.At(1, 255).Values(), (CellValues{BLANK_TILE, 9, 5}));
  EXPECT_TRUE(FillRegionWithTiles(doc, Index(50, 50), 3, 3, {1, 0, 2}).Empty());
  EXPECT_EQ(doc.undoCount(), 2);  // the empty fill still records its step
}

TEST_F(RegionTest, MirrorRightReversesTheColumnsThroughTheHorizontalMirror) {
  Put(20, 5, 3, {Tile(10), Tile(1), Tile(2), Tile(3), Tile(4), Tile(12)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(20, 5), 3, 2, MIRROR_RIGHT), (CellRect{23, 5, 26, 7}));
  // 10 becomes its horizontal mirror 12; 12 is looked up from its own slot.
  EXPECT_EQ(Grid(23, 5, 3, 2), (std::vector<CellValues>{Tile(2), Tile(1), Tile(12), Tile(10), Tile(4), Tile(3)}));
  EXPECT_EQ(doc.undoSteps, (std::vector<HistoryStep>{{Index(23, 5), 3, 2, HISTORY_REGION}}));
}

TEST_F(RegionTest, MirrorsAtTheTopAndLeftEdgesWriteOnlyCellsInsideTheMap) {
  Put(7, 1, 2, {Tile(10), Anim(5, 4), Tile(99)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(7, 1), 2, 3, MIRROR_UP), (CellRect{7, 0, 9, 1}));
  // The image's bottom row: source row 0, vertical mirrors.
  EXPECT_EQ(Grid(7, 0, 2, 1), (std::vector<CellValues>{Tile(11), Anim(6, 4)}));
  EXPECT_EQ(doc.cellHistories.size(), 2u);

  Put(1, 9, 3, {Tile(10), kBlank, Tile(55)});
  EXPECT_EQ(MirrorRegion(doc, tables, Index(1, 9), 3, 1, MIRROR_LEFT), (CellRect{0, 9, 1, 10}));
  EXPECT_EQ(Grid(253, 8, 4, 1), (std::vector<CellValues>{kBlank, kBlank, kBlank, Tile(12)}));  // nothing wraps
  // Wholly outside the map: a step that holds no cell.
  EXPECT_TRUE(MirrorRegion(doc, tables, Index(0, 9), 3, 1, MIRROR_LEFT).Empty());
  EXPECT_EQ(doc.undoSteps.back(), (HistoryStep{-1, 0, 0, HISTORY_REGION}));
}

TEST_F(RegionTest, RotatingARowGivesAColumnAndAColumnARow) {
  Put(50, 60, 3, {Tile(20), Tile(7), Tile(30)});
  const RotatedRegion turned = RotateRegion(doc, tables, Index(50, 60), 3, 1);
  EXPECT_EQ(std::pair(turned.width, turned.height), std::pair(1, 3));
  // A tile turned into an animation gets data 0.
  EXPECT_EQ(Grid(50, 60, 2, 3), (std::vector<CellValues>{Tile(21), kBlank, Tile(7), kBlank, Anim(9, 0), kBlank}));
  EXPECT_EQ(doc.undoSteps, (std::vector<HistoryStep>{{Index(50, 60), 3, 1, HISTORY_ROTATE}}));
  Put(5, 5, 1, {Tile(1), Tile(2), Tile(3)});  // a column: its bottom cell goes leftmost
  RotateRegion(doc, tables, Index(5, 5), 1, 3);
  EXPECT_EQ(Grid(5, 5, 3, 2), (std::vector<CellValues>{Tile(3), Tile(2), Tile(1), kBlank, kBlank, kBlank}));
}

TEST_F(RegionTest, RotatingNearTheRightEdgeDropsCellsAndClampsTheWidth) {
  Put(254, 10, 2, {Tile(1), Tile(2), Tile(3), Tile(4), Tile(5), Tile(6)});
  const RotatedRegion turned = RotateRegion(doc, tables, Index(254, 10), 2, 3);
  EXPECT_EQ(std::pair(turned.width, turned.height), std::pair(2, 2));
  // Rows 5 6 / 3 4 / 1 2 read as columns; the column of 1 and 2 would be 256, and nothing wraps.
  EXPECT_EQ(Grid(254, 10, 2, 3), (std::vector<CellValues>{Tile(5), Tile(3), Tile(6), Tile(4), kBlank, kBlank}));
  EXPECT_EQ(Grid(0, 11, 1, 2), (std::vector<CellValues>{kBlank, kBlank}));
  EXPECT_EQ(doc.cellHistories.size(), 6u);
}

}  // namespace
}  // namespace quarl
