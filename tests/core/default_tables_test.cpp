#include "history/default_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "history/piece_geometry.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr TileRef A(uint32_t id) { return id | ANIM_FLAG; }
MirrorRotateEntry Row(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

struct DefaultTablesTest : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(InitTileTables()); }
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
};

TEST_F(DefaultTablesTest, CountsAnimationTailsAndRowsAtTheirNumbers) {
  ASSERT_EQ(tables.mirror.entries.size(), 170u);
  ASSERT_EQ(tables.rotate.entries.size(), 158u);
  // Tiles first, then the animations: 60 mirror rows and 37 rotate rows.
  for (size_t i = 0; i < 170; ++i) EXPECT_EQ((tables.mirror.entries[i].slots[1] & ANIM_FLAG) != 0, i >= 110) << i;
  for (size_t i = 0; i < 158; ++i) EXPECT_EQ((tables.rotate.entries[i].slots[3] & ANIM_FLAG) != 0, i >= 121) << i;
  EXPECT_EQ(tables.mirror.entries[1], Row(9, 9, 50, 50));
  EXPECT_EQ(tables.mirror.entries[165], Row(A(235), A(235), A(237), A(237)));
  EXPECT_EQ(tables.rotate.entries[2], Row(8, 50, 10, 9));
  EXPECT_EQ(tables.rotate.entries[11], Row(88, 126, 168, 124));
}

// Slot k of each row is the piece whose description is slot 0's under the
// slot's transform; each piece that some transform changes is in one row.
TEST_F(DefaultTablesTest, RowsFollowTheGeometry) {
  EXPECT_EQ(Compose(kRotate90, kFlipVertical), kTranspose);  // (x, y) -> (x, -y) -> (y, x)
  PieceDescriptor corner;
  corner.mask = kJoinUp | kJoinLeft;
  EXPECT_EQ(TransformDescriptor(corner, kRotate90).mask, kJoinUp | kJoinRight);
  const SquareTransform mirror[4] = {kIdentity, kFlipVertical, kFlipHorizontal, kRotate180};
  const SquareTransform rotate[4] = {kIdentity, kRotate90, kRotate180, kRotate270};
  auto check = [](const MirrorRotateTable& table, const SquareTransform (&slots)[4]) {
    std::map<TileRef, size_t> rowOf;
    for (size_t i = 0; i < table.entries.size(); ++i) {
      const auto& e = table.entries[i];
      const Piece* first = FindPieceByRef(e.slots[0]);
      ASSERT_NE(first, nullptr) << "row " << i;
      for (int k = 0; k < 4; ++k) {
        const Piece* image = FindPiece(TransformDescriptor(first->descriptor, slots[k]));
        ASSERT_NE(image, nullptr) << "row " << i;
        EXPECT_EQ(image->ref, e.slots[k]) << "row " << i << " slot " << k;
        rowOf.emplace(e.slots[k], i);
      }
      EXPECT_EQ(*std::min_element(e.slots.begin(), e.slots.end()), e.slots[0]) << "row " << i;
    }
    for (const Piece& p : PieceCatalogue()) {
      bool moves = false;
      for (SquareTransform t : slots) moves |= FindPiece(TransformDescriptor(p.descriptor, t))->ref != p.ref;
      EXPECT_EQ(moves, rowOf.count(p.ref) == 1) << "ref " << (p.ref & 0xFFFF);
    }
  };
  check(tables.mirror, mirror);
  check(tables.rotate, rotate);
}

// Independent of the descriptions: wall rows checked against the wall tool's
// join masks, swapping and turning the bits directly.
TEST_F(DefaultTablesTest, WallRowsJoinLikeTheWallTool) {
  const uint8_t masks[kWallSetPieces] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};
  auto upDown = [](int m) { return (m & 12) | (m & 1) << 1 | (m & 2) >> 1; };
  auto leftRight = [](int m) { return (m & 3) | (m & 4) << 1 | (m & 8) >> 1; };
  auto clockwise = [](int m) { return (m & 1 ? 8 : 0) | (m & 8 ? 2 : 0) | (m & 2 ? 4 : 0) | (m & 4 ? 1 : 0); };
  std::map<TileRef, std::pair<int, int>> wall;  // tile -> (set, mask)
  for (int s = 0; s < wallSetCount; ++s)
    for (int e = 0; e < kWallSetPieces; ++e) wall[wallSets[s][e]] = {s, masks[e]};
  int rows = 0;
  for (const auto& e : tables.mirror.entries) {
    if (!wall.count(e.slots[0])) continue;
    ++rows;
    auto [set, m] = wall.at(e.slots[0]);
    EXPECT_EQ(wall.at(e.slots[1]), std::make_pair(set, upDown(m)));
    EXPECT_EQ(wall.at(e.slots[2]), std::make_pair(set, leftRight(m)));
    EXPECT_EQ(wall.at(e.slots[3]), std::make_pair(set, upDown(leftRight(m))));
  }
  for (const auto& e : tables.rotate.entries) {
    if (!wall.count(e.slots[0])) continue;
    ++rows;
    auto [set, m] = wall.at(e.slots[0]);
    for (int k = 1; k < 4; ++k) EXPECT_EQ(wall.at(e.slots[k]), std::make_pair(set, m = clockwise(m)));
  }
  EXPECT_EQ(rows, 9 * wallSetCount);  // 5 mirror and 4 rotate rows per set
}

}  // namespace
}  // namespace quarl
