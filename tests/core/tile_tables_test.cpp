#include "map/tile_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace quarl {
namespace {

// The wall tool's is-wall test looks tiles up across all sets, so a piece may
// belong to one set only and never be the single wall tile.
TEST(TileTables, WallPiecesAreDistinctAndInitRepairsStrayWrites) {
  wallSets[3][3] = -7;
  bunkerTypes[0][30] = 99;
  ASSERT_TRUE(InitTileTables());
  std::set<int32_t> seen{SINGLE_WALL_TILE};
  for (const auto& set : wallSets)
    for (int32_t tile : set) EXPECT_TRUE(seen.insert(tile).second && tile > 0 && tile < 4000) << tile;
  EXPECT_EQ(bunkerTypes[0][30], 0);
}

}  // namespace
}  // namespace quarl
