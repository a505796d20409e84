#include "history/default_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "history/piece_geometry.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr TileRef A(uint32_t id) { return id | ANIM_FLAG; }
MirrorRotateEntry Row(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

TEST(DefaultTables, RowsFollowTheGeometryAndSitAtTheirNumbers) {
  ASSERT_TRUE(InitTileTables());
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  ASSERT_EQ(tables.mirror.entries.size(), 170u);
  ASSERT_EQ(tables.rotate.entries.size(), 158u);
  EXPECT_EQ(tables.mirror.entries[1], Row(9, 9, 50, 50));
  EXPECT_EQ(tables.mirror.entries[165], Row(A(235), A(235), A(237), A(237)));
  EXPECT_EQ(tables.rotate.entries[11], Row(88, 126, 168, 124));
  // Slot k of a row is the piece whose description is slot 0's under the
  // slot's transform; every piece that some transform changes is in one row.
  const std::pair<const MirrorRotateTable*, std::array<SquareTransform, 4>> checks[] = {
      {&tables.mirror, {kIdentity, kFlipVertical, kFlipHorizontal, kRotate180}},
      {&tables.rotate, {kIdentity, kRotate90, kRotate180, kRotate270}}};
  for (const auto& [table, slots] : checks) {
    std::map<TileRef, size_t> rowOf;
    for (size_t i = 0; i < table->entries.size(); ++i) {
      const auto& e = table->entries[i].slots;
      const Piece* first = FindPieceByRef(e[0]);
      ASSERT_NE(first, nullptr) << "row " << i;
      EXPECT_EQ(*std::min_element(e.begin(), e.end()), e[0]) << "row " << i;
      for (int k = 0; k < 4; ++k) {
        const Piece* image = FindPiece(TransformDescriptor(first->descriptor, slots[k]));
        ASSERT_NE(image, nullptr) << "row " << i;
        EXPECT_EQ(image->ref, e[k]) << "row " << i << " slot " << k;
        rowOf.emplace(e[k], i);
      }
    }
    for (const Piece& p : PieceCatalogue()) {
      bool moves = false;
      for (SquareTransform t : slots) moves |= FindPiece(TransformDescriptor(p.descriptor, t))->ref != p.ref;
      EXPECT_EQ(moves, rowOf.count(p.ref) == 1) << "ref " << (p.ref & 0xFFFF);
    }
  }
}

// Independent of the descriptions: wall rows against the wall tool's join
// masks, swapping and turning the bits directly.
TEST(DefaultTables, WallRowsJoinLikeTheWallTool) {
  ASSERT_TRUE(InitTileTables());
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  const int masks[kWallSetPieces] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};
  auto upDown = [](int m) { return (m & 12) | (m & 1) << 1 | (m & 2) >> 1; };
  auto leftRight = [](int m) { return (m & 3) | (m & 4) << 1 | (m & 8) >> 1; };
  auto clockwise = [](int m) { return (m & 1 ? 8 : 0) | (m & 8 ? 2 : 0) | (m & 2 ? 4 : 0) | (m & 4 ? 1 : 0); };
  std::map<TileRef, std::pair<int, int>> wall;  // tile -> (set, mask)
  for (int s = 0; s < wallSetCount; ++s)
    for (int e = 0; e < kWallSetPieces; ++e) EXPECT_TRUE(wall.emplace(wallSets[s][e], std::pair{s, masks[e]}).second);
  int rows = 0;
  for (const auto& e : tables.mirror.entries) {
    if (!wall.count(e.slots[0])) continue;
    ++rows;
    auto [set, m] = wall.at(e.slots[0]);
    EXPECT_EQ(wall.at(e.slots[1]), std::pair(set, upDown(m)));
    EXPECT_EQ(wall.at(e.slots[2]), std::pair(set, leftRight(m)));
    EXPECT_EQ(wall.at(e.slots[3]), std::pair(set, upDown(leftRight(m))));
  }
  for (const auto& e : tables.rotate.entries) {
    if (!wall.count(e.slots[0])) continue;
    ++rows;
    auto [set, m] = wall.at(e.slots[0]);
    for (int k = 1; k < 4; ++k) EXPECT_EQ(wall.at(e.slots[k]), std::pair(set, m = clockwise(m)));
  }
  EXPECT_EQ(rows, 9 * wallSetCount);  // 5 mirror and 4 rotate rows per set
}

}  // namespace
}  // namespace quarl
