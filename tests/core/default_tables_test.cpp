#include "history/default_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "history/piece_geometry.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr TileRef A(uint32_t id) { return id | ANIM_FLAG; }

MirrorRotateEntry Row(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

class DefaultTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTileTables();
    tables = DefaultMirrorRotateTables();
  }
  MirrorRotateTables tables;
};

TEST_F(DefaultTablesTest, CountsAndAnimationTails) {
  ASSERT_EQ(tables.mirror.entries.size(), 170u);
  ASSERT_EQ(tables.rotate.entries.size(), 158u);
  auto check = [](const MirrorRotateTable& t, size_t animRows) {
    const size_t firstAnim = t.entries.size() - animRows;
    for (size_t i = 0; i < t.entries.size(); ++i) {
      for (TileRef s : t.entries[i].slots) {
        ASSERT_NE(s, END_MARK) << "row " << i << " has a hole";
        EXPECT_EQ((s & ANIM_FLAG) != 0, i >= firstAnim) << "row " << i;
        EXPECT_EQ(s >> 16, (s & ANIM_FLAG) ? 1u : 0u);
      }
    }
  };
  check(tables.mirror, 60);
  check(tables.rotate, 37);
  // mrdata.dat written from these tables: 2 + 16 x 170 + 2 + 16 x 158 bytes.
  EXPECT_EQ(2 + 16 * tables.mirror.entries.size() + 2 + 16 * tables.rotate.entries.size(), 5252u);
}

TEST_F(DefaultTablesTest, TellingRowsSitAtTheirNumbers) {
  EXPECT_EQ(tables.mirror.entries[0], Row(8, 10, 8, 10));
  EXPECT_EQ(tables.mirror.entries[1], Row(9, 9, 50, 50));
  EXPECT_EQ(tables.mirror.entries[6], Row(46, 47, 48, 49));
  EXPECT_EQ(tables.mirror.entries[10], Row(88, 168, 88, 168));
  EXPECT_EQ(tables.mirror.entries[165], Row(A(235), A(235), A(237), A(237)));
  EXPECT_EQ(tables.rotate.entries[0], Row(4, 5, 4, 5));
  EXPECT_EQ(tables.rotate.entries[2], Row(8, 50, 10, 9));
  EXPECT_EQ(tables.rotate.entries[5], Row(16, 19, 17, 18));
  EXPECT_EQ(tables.rotate.entries[11], Row(88, 126, 168, 124));
}

TEST_F(DefaultTablesTest, EveryPieceImageExistsInTheCatalogue) {
  // The catalogue must be closed under all eight symmetries, or a mirrored
  // object would get a piece that does not join.
  std::set<TileRef> refs;
  for (const Piece& p : PieceCatalogue()) {
    EXPECT_TRUE(refs.insert(p.ref).second) << "ref " << (p.ref & 0xFFFF) << " listed twice";
    for (SquareTransform t : kSquareTransforms) {
      const Piece* image = FindPiece(TransformDescriptor(p.descriptor, t));
      ASSERT_NE(image, nullptr) << "no image for ref " << (p.ref & 0xFFFF);
      EXPECT_EQ(image->ref & ANIM_FLAG, p.ref & ANIM_FLAG);
    }
  }
}

TEST_F(DefaultTablesTest, TransformsFormTheSquareGroup) {
  EXPECT_EQ(Compose(kRotate90, kRotate90), kRotate180);
  EXPECT_EQ(Compose(kRotate90, kRotate270), kIdentity);
  EXPECT_EQ(Compose(kFlipVertical, kFlipHorizontal), kRotate180);
  EXPECT_EQ(Compose(kRotate90, kFlipVertical), kTranspose);  // (x, y) -> (x, -y) -> (y, x)
  for (SquareTransform t : kSquareTransforms) EXPECT_EQ(Compose(t, Inverse(t)), kIdentity);
  // A wall joined up and left turns into one joined up and right.
  PieceDescriptor corner;
  corner.mask = kJoinUp | kJoinLeft;
  EXPECT_EQ(TransformDescriptor(corner, kRotate90).mask, kJoinUp | kJoinRight);
  EXPECT_EQ(TransformDescriptor(corner, kFlipVertical).mask, kJoinDown | kJoinLeft);
}

TEST_F(DefaultTablesTest, RowsFollowTheGeometry) {
  const SquareTransform mirror[4] = {kIdentity, kFlipVertical, kFlipHorizontal, kRotate180};
  const SquareTransform rotate[4] = {kIdentity, kRotate90, kRotate180, kRotate270};
  auto check = [](const MirrorRotateTable& table, const SquareTransform (&slots)[4]) {
    std::map<TileRef, size_t> rowOf;
    for (size_t i = 0; i < table.entries.size(); ++i) {
      const auto& e = table.entries[i];
      const Piece* first = FindPieceByRef(e.slots[0]);
      ASSERT_NE(first, nullptr) << "row " << i;
      std::set<TileRef> group(e.slots.begin(), e.slots.end());
      EXPECT_EQ(*group.begin(), e.slots[0]) << "slot 0 is not the smallest, row " << i;
      EXPECT_GE(group.size(), 2u) << "row " << i << " changes nothing";
      for (int k = 0; k < 4; ++k) {
        const Piece* image = FindPiece(TransformDescriptor(first->descriptor, slots[k]));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->ref, e.slots[k]) << "row " << i << " slot " << k;
      }
      for (TileRef s : group) {
        auto [it, fresh] = rowOf.emplace(s, i);
        EXPECT_TRUE(fresh) << "ref " << (s & 0xFFFF) << " in rows " << it->second << " and " << i;
      }
    }
    // Every piece that some transform changes has a row.
    for (const Piece& p : PieceCatalogue()) {
      bool moves = false;
      for (SquareTransform t : slots) moves |= FindPiece(TransformDescriptor(p.descriptor, t))->ref != p.ref;
      EXPECT_EQ(moves, rowOf.count(p.ref) == 1) << "ref " << (p.ref & 0xFFFF);
    }
  };
  check(tables.mirror, mirror);
  check(tables.rotate, rotate);
}

// Rows per object kind: a lost distinction in the descriptions (a bunker
// side that forgets which way its bunker faces, a conveyor without its
// direction) merges or splits groups and shows here.
TEST_F(DefaultTablesTest, RowsPerObjectKind) {
  auto count = [](const MirrorRotateTable& t) {
    std::map<PieceFamily, int> rows;
    for (const auto& e : t.entries) rows[FindPieceByRef(e.slots[0])->descriptor.family]++;
    return rows;
  };
  auto mirror = count(tables.mirror), rotate = count(tables.rotate);
  const struct {
    PieceFamily family;
    int mirrorRows, rotateRows;
  } expected[] = {
      {PieceFamily::kWall, 60, 48},       {PieceFamily::kBridge, 10, 8},
      {PieceFamily::kBunker, 24, 21},     {PieceFamily::kSwitchFrame, 3, 2},
      {PieceFamily::kFlagFrame, 15, 10},  {PieceFamily::kConveyor, 6, 6},
      {PieceFamily::kSpawnArm, 16, 8},    {PieceFamily::kCornerSpawn, 8, 4},
      {PieceFamily::kPipe, 5, 4},         {PieceFamily::kDoor, 0, 12},
      {PieceFamily::kFan, 1, 0},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(mirror[e.family], e.mirrorRows) << static_cast<int>(e.family);
    EXPECT_EQ(rotate[e.family], e.rotateRows) << static_cast<int>(e.family);
  }
}

// Independent of the descriptors: wall rows checked with the join masks of
// the wall tool's table, swapping and turning the bits directly.
uint8_t SwapUpDown(uint8_t m) { return (m & 12) | ((m & 1) << 1) | ((m & 2) >> 1); }
uint8_t SwapLeftRight(uint8_t m) { return (m & 3) | ((m & 4) << 1) | ((m & 8) >> 1); }
uint8_t TurnClockwise(uint8_t m) {  // up -> right -> down -> left -> up
  return ((m & 1) ? 8 : 0) | ((m & 8) ? 2 : 0) | ((m & 2) ? 4 : 0) | ((m & 4) ? 1 : 0);
}

TEST_F(DefaultTablesTest, WallRowsJoinLikeTheWallTool) {
  const uint8_t masks[kWallSetPieces] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};
  std::map<TileRef, std::pair<int, uint8_t>> wall;  // tile -> (set, mask)
  for (int s = 0; s < wallSetCount; ++s)
    for (int e = 0; e < kWallSetPieces; ++e) wall[wallSets[s][e]] = {s, masks[e]};
  int mirrorRows = 0, rotateRows = 0;
  for (const auto& e : tables.mirror.entries) {
    auto it = wall.find(e.slots[0]);
    if (it == wall.end()) continue;
    ++mirrorRows;
    auto [set, m] = it->second;
    EXPECT_EQ(wall.at(e.slots[1]), std::make_pair(set, SwapUpDown(m)));
    EXPECT_EQ(wall.at(e.slots[2]), std::make_pair(set, SwapLeftRight(m)));
    EXPECT_EQ(wall.at(e.slots[3]), std::make_pair(set, SwapUpDown(SwapLeftRight(m))));
  }
  for (const auto& e : tables.rotate.entries) {
    auto it = wall.find(e.slots[0]);
    if (it == wall.end()) continue;
    ++rotateRows;
    auto [set, m] = it->second;
    for (int k = 1; k < 4; ++k) {
      m = TurnClockwise(m);
      EXPECT_EQ(wall.at(e.slots[k]), std::make_pair(set, m));
    }
  }
  EXPECT_EQ(mirrorRows, 5 * wallSetCount);  // {R,L} {U,D} corners {ULR,DLR} {UDL,UDR}
  EXPECT_EQ(rotateRows, 4 * wallSetCount);  // single joins, straights, corners, T pieces
}

// Independent check of the bridge rows from the placement layout: an up/down
// bridge cell (row r of 3, column c of 5) turned clockwise lands in the
// left/right bridge at row c of 5, column 2 - r of 3.
TEST_F(DefaultTablesTest, BridgeRowsMatchThePlacementLayout) {
  std::map<TileRef, TileRef> turn;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 5; ++c) {
      turn[bridgeTiles[r * 5 + c]] = bridgeTiles[15 + c * 3 + (2 - r)];
      // left/right (row c, column 2 - r) turned again is up/down (2 - r, 4 - c)
      turn[bridgeTiles[15 + c * 3 + (2 - r)]] = bridgeTiles[(2 - r) * 5 + (4 - c)];
    }
  }
  int rows = 0;
  for (const auto& e : tables.rotate.entries) {
    if (!turn.count(e.slots[0])) continue;
    ++rows;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(turn.at(e.slots[k]), e.slots[(k + 1) % 4]);
  }
  EXPECT_EQ(rows, 8);
}

}  // namespace
}  // namespace quarl
