#include "map/tile_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace quarl {
namespace {

class TileTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InitTileTables()); }
};

TEST_F(TileTablesTest, CountsAndStorageOrder) {
  EXPECT_EQ(wallSetCount, 12);
  EXPECT_EQ(bunkerTypeCount, 3);
  EXPECT_EQ(SINGLE_WALL_TILE, 13);
  // Storage order: first and last entries of a few rows.
  EXPECT_EQ(wallSets[0][0], 52);
  EXPECT_EQ(wallSets[0][14], 89);
  EXPECT_EQ(wallSets[11][14], 3081);
  EXPECT_EQ(conveyorAnims[3][5], 151);
  EXPECT_EQ(bridgeTiles[0], 164);
  EXPECT_EQ(bridgeTiles[29], 406);
  EXPECT_EQ(bunkerTypes[2][27], 771);
  EXPECT_EQ(spawnObjects[11][2], 233);
}

TEST_F(TileTablesTest, BunkerTailsAndSingleSpawnRowsAreZero) {
  for (int type = 0; type < bunkerTypeCount; ++type) {
    for (int e = 0; e < kBunkerPiecesUsed; ++e) EXPECT_NE(bunkerTypes[type][e], 0) << type << ":" << e;
    for (int e = kBunkerPiecesUsed; e < kBunkerEntries; ++e) EXPECT_EQ(bunkerTypes[type][e], 0) << type << ":" << e;
  }
  for (int row = 12; row < 16; ++row) {
    EXPECT_EQ(spawnObjects[row][0], 163 + (row - 12));
    for (int e = 1; e < kSpawnEntries; ++e) EXPECT_EQ(spawnObjects[row][e], 0);
  }
}

TEST_F(TileTablesTest, CentresAreTheRecognisedObjects) {
  // The object count recognises a placed centre by these ids: the switch
  // animation and each team's flag animation (Green .. Neutral).
  EXPECT_EQ(switchObject[4], 123);
  const int32_t flags[kFlagTeams] = {28, 37, 46, 65, 140};
  for (int team = 0; team < kFlagTeams; ++team) EXPECT_EQ(flagObjects[team][4], flags[team]);
  // Pen markers and five-cell spawn centres are the tiles the spawn/pen check counts.
  const int32_t penTiles[4] = {146, 186, 276, 316};
  const int32_t penAnims[4] = {141, 142, 143, 144};
  for (int team = 0; team < 4; ++team) {
    EXPECT_EQ(holdingPens[0][1 + team], penTiles[team]);
    EXPECT_EQ(holdingPens[1][1 + team], penAnims[team]);
    EXPECT_EQ(spawnObjects[team][2], spawnObjects[4 + team][2]);  // cross styles share a centre
  }
}

TEST_F(TileTablesTest, WallPiecesAreDistinctAndInsideTheSheet) {
  // The wall tool's is-wall test looks tiles up across all sets, so a piece
  // may belong to one set only and never be the single wall tile.
  std::set<int32_t> seen{SINGLE_WALL_TILE};
  for (int set = 0; set < wallSetCount; ++set) {
    for (int e = 0; e < kWallSetPieces; ++e) {
      int32_t tile = wallSets[set][e];
      EXPECT_TRUE(seen.insert(tile).second) << "tile " << tile << " repeated";
      EXPECT_GT(tile, 0);
      EXPECT_LT(tile, 4000);  // 100 sheet rows of 40 tiles
    }
  }
}

TEST_F(TileTablesTest, InitIsRepeatableAfterAStrayWrite) {
  wallSets[3][3] = -7;
  bunkerTypes[0][30] = 99;
  ASSERT_TRUE(InitTileTables());
  EXPECT_EQ(wallSets[3][3], 2807);
  EXPECT_EQ(bunkerTypes[0][30], 0);
}

}  // namespace
}  // namespace quarl
