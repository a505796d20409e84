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

TEST_F(WallsTest, EachNeighbourHasItsOwnBitAndTheMapDoesNotWrap) {
  Wall(10, 9);
  Wall(9, 10);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 10), WALL_UP | WALL_LEFT);
  EXPECT_EQ(WallNeighbourMask(doc, 10, 8), WALL_DOWN);
  EXPECT_EQ(WallNeighbourMask(doc, 8, 10), WALL_RIGHT);
  EXPECT_EQ(WallNeighbourMask(doc, 9, 9), WALL_RIGHT | WALL_DOWN);  // diagonals do not count
  Wall(255, 0);
  Wall(0, 255);
  Wall(255, 255);
  EXPECT_EQ(WallNeighbourMask(doc, 0, 0), 0);
  EXPECT_EQ(WallNeighbourMask(doc, 255, 254), WALL_DOWN);
  EXPECT_EQ(WallNeighbourMask(doc, 254, 255), WALL_RIGHT);
}

TEST_F(WallsTest, APieceOfAnySetCountsAsAWall) {
  const int32_t lastSetsCrossing = wallSets[wallSetCount - 1][14];
  EXPECT_TRUE(IsWallTile(wallSets[0][0]));
  EXPECT_FALSE(IsWallTile(BLANK_TILE));
  // Only the tile word counts, whatever the cell's animation.
  doc.At(50, 50).SetValues({lastSetsCrossing, 7, 0});
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
