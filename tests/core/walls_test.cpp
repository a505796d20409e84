#include "editor/walls.h"

#include <gtest/gtest.h>

#include "map/tile_tables.h"

namespace quarl {
namespace {

class WallsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitTileTables()); }
  void Wall(int column, int row, int32_t tile = SINGLE_WALL_TILE) { doc.At(column, row).tile = tile; }
  MapDocument doc;
};

TEST_F(WallsTest, EachNeighbourHasItsOwnBit) {
  Wall(10, 9);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), WALL_UP);
  Wall(10, 11);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), WALL_UP | WALL_DOWN);
  Wall(9, 10);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), WALL_UP | WALL_DOWN | WALL_LEFT);
  Wall(11, 10);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), 15);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 12), WALL_UP);
  // Diagonals are no neighbours.
  EXPECT_EQ(WallNeighbourMask(doc, 9, 9), WALL_RIGHT | WALL_DOWN);
}

TEST_F(WallsTest, TheMapDoesNotWrapAtItsEdges) {
  Wall(255, 0);
  Wall(0, 255);
  Wall(255, 255);
  EXPECT_EQ(WallNeighbourMask(doc, 0, 0), 0);
  EXPECT_EQ(WallNeighbourMask(doc, 255, 254), WALL_DOWN);
  EXPECT_EQ(WallNeighbourMask(doc, 254, 255), WALL_RIGHT);
}

TEST_F(WallsTest, APieceOfAnySetCountsAsAWall) {
  const int32_t lastSetsCrossing = wallSets[wallSetCount - 1][14];
  EXPECT_TRUE(IsWallTile(SINGLE_WALL_TILE));
  EXPECT_TRUE(IsWallTile(lastSetsCrossing));
  EXPECT_TRUE(IsWallTile(wallSets[0][0]));
  EXPECT_FALSE(IsWallTile(BLANK_TILE));
  Wall(50, 50, lastSetsCrossing);
  EXPECT_EQ(WallNeighbourMask(doc, 51, 50), WALL_LEFT);
  // The anim word does not matter, only the tile word.
  doc.At(50, 50).anim = 7;
  doc.At(50, 50).data = 0;
  EXPECT_EQ(WallNeighbourMask(doc, 51, 50), WALL_LEFT);
}

TEST_F(WallsTest, TwoWallsSideBySideJoinAsRightAndLeftEnds) {
  const int set = 2;
  EXPECT_EQ(WallJoinTile(set, 0), SINGLE_WALL_TILE);
  EXPECT_EQ(WallJoinTile(set, WALL_RIGHT), wallSets[set][0]);  // the left one of the pair
  EXPECT_EQ(WallJoinTile(set, WALL_LEFT), wallSets[set][1]);
  // Swapped pairs: up against down, and a corner against its opposite.
  EXPECT_EQ(WallJoinTile(set, WALL_UP), wallSets[set][3]);
  EXPECT_EQ(WallJoinTile(set, WALL_DOWN | WALL_RIGHT), wallSets[set][6]);
  EXPECT_EQ(WallJoinTile(set, WALL_UP | WALL_LEFT), wallSets[set][9]);
  EXPECT_EQ(WallJoinTile(set, 15), wallSets[set][14]);  // the middle of a crossing
  EXPECT_EQ(WallJoinTile(wallSetCount, 15), SINGLE_WALL_TILE);
  EXPECT_EQ(WallJoinTile(-1, 1), SINGLE_WALL_TILE);
}

}  // namespace
}  // namespace quarl
