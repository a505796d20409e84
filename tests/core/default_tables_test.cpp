#include "history/default_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "editor/walls.h"
#include "history/piece_geometry.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

MirrorRotateEntry Row(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

TEST(DefaultTables, RowsFollowTheGeometryAndSitAtTheirNumbers) {
  ASSERT_TRUE(InitTileTables());
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  ASSERT_EQ(tables.mirror.entries.size(), 170u);
  ASSERT_EQ(tables.rotate.entries.size(), 158u);
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
  // The wall tool's piece for a set of wall neighbours joins those sides, so turned walls stay joined.
  for (int set = 0; set < wallSetCount; ++set) {
    for (int mask = 0; mask < 16; ++mask) {
      const Piece* piece = FindPieceByRef(WallJoinTile(set, mask));
      EXPECT_TRUE(piece && piece->descriptor.mask == mask) << "wall set " << set << " mask " << mask;
    }
  }
}

}  // namespace
}  // namespace quarl
