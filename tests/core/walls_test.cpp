#include "editor/walls.h"

#include <gtest/gtest.h>

#include "map/tile_tables.h"

namespace quarl {
namespace {

TEST(Walls, EachNeighbourHasItsOwnBitAndTheMapDoesNotWrap) {
  ASSERT_TRUE(InitTileTables());
  MapDocument doc;
  for (auto [c, r] : {std::pair{10, 9}, {9, 10}, {255, 0}, {0, 255}, {255, 255}}) doc.At(c, r).tile = SINGLE_WALL_TILE;
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), WALL_UP | WALL_LEFT);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 8), WALL_DOWN);
  EXPECT_EQ(WallNeighbourMask(doc, 8, 10), WALL_RIGHT);
  EXPECT_EQ(WallNeighbourMask(doc, 9, 9), WALL_RIGHT | WALL_DOWN);  // diagonals do not count
  EXPECT_EQ(WallNeighbourMask(doc, 0, 0), 0);
  EXPECT_EQ(WallNeighbourMask(doc, 255, 254), WALL_DOWN);
  EXPECT_EQ(WallNeighbourMask(doc, 254, 255), WALL_RIGHT);
  // A piece of the last set counts, whatever the cell's animation.
  doc.At(50, 50).SetValues({wallSets[wallSetCount - 1][14], 7, 0});
  EXPECT_EQ(WallNeighbourMask(doc, 51, 50), WALL_LEFT);
}

TEST(Walls, JoinPiecesKeepUpApartFromDownAndACornerFromItsOpposite) {
  ASSERT_TRUE(InitTileTables());
  const int set = 2;
  EXPECT_EQ((std::vector<int32_t>{WallJoinTile(set, 0), WallJoinTile(set, WALL_UP), WallJoinTile(set, WALL_DOWN | WALL_RIGHT),
                                  WallJoinTile(set, WALL_UP | WALL_LEFT), WallJoinTile(set, 15)}),
            (std::vector<int32_t>{SINGLE_WALL_TILE, wallSets[set][3], wallSets[set][6], wallSets[set][9], wallSets[set][14]}));
  EXPECT_EQ(WallJoinTile(wallSetCount, 15), SINGLE_WALL_TILE);
  EXPECT_EQ(WallJoinTile(-1, 1), SINGLE_WALL_TILE);
}

}  // namespace
}  // namespace quarl
