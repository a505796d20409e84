#include <gtest/gtest.h>

#include "history/mirror_rotate_tables.h"

namespace quarl {
namespace {

constexpr TileRef A(uint32_t id) { return ANIM_FLAG | id; }
constexpr TileRef X = END_MARK;

MirrorRotateEntry E(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

TEST(MirrorRotateTable, CountAddAndDelete) {
  MirrorRotateTable table;
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Add(), 1);
  EXPECT_EQ(table.entries.back(), E(0, 0, 0, 0));
  table.entries.back() = E(1, 2, 3, 4);
  EXPECT_EQ(table.Add(), 2);
  table.entries.back() = E(5, 6, 7, 8);
  EXPECT_EQ(table.Add(), 3);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.entries[2], E(0, 0, 0, 0));

  // Deleting row 0 moves every later row up by one.
  EXPECT_TRUE(table.Delete(0));
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.entries[0], E(5, 6, 7, 8));
  EXPECT_EQ(table.entries[1], E(0, 0, 0, 0));
  EXPECT_FALSE(table.Delete(2));
  EXPECT_FALSE(table.Delete(-1));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_TRUE(table.Delete(1));
  EXPECT_TRUE(table.Delete(0));
  EXPECT_EQ(table.Count(), 0);
  EXPECT_FALSE(table.Delete(0));
}

TEST(MirrorRotateTable, FullTableDoesNotGrow) {
  MirrorRotateTable table;
  for (int i = 0; i < kMaxTableEntries; ++i) {
    ASSERT_EQ(table.Add(), i + 1);
    table.entries.back() = E(static_cast<TileRef>(i), 0, 0, 0);
  }
  const MirrorRotateTable full = table;
  EXPECT_EQ(table.Add(), kMaxTableEntries);
  EXPECT_EQ(table.entries.size(), static_cast<size_t>(kMaxTableEntries));
  EXPECT_EQ(table.entries, full.entries);
  // Entries past the capacity (only a caller filling the vector itself can
  // make them) are not counted.
  table.entries.push_back(E(9, 9, 9, 9));
  EXPECT_EQ(table.Count(), kMaxTableEntries);
}

TEST(MirrorRotateTable, EndEntryEndsTheTable) {
  MirrorRotateTable table;
  table.entries = {E(1, 1, 1, 1), E(X, 0, 0, 0), E(2, 2, 2, 2)};
  EXPECT_EQ(table.Count(), 1);
  EXPECT_FALSE(table.Delete(1));
  MirrorRotateTable same;
  same.entries = {E(1, 1, 1, 1)};
  EXPECT_EQ(table, same);  // what lies past the end entry does not count
  same.entries[0] = E(1, 1, 1, 2);
  EXPECT_NE(table, same);
  // Add replaces the end entry and drops what lay after it.
  EXPECT_EQ(table.Add(), 2);
  EXPECT_EQ(table.entries, (std::vector<MirrorRotateEntry>{E(1, 1, 1, 1), E(0, 0, 0, 0)}));
  // A slot other than slot 0 holding END_MARK does not end the table.
  table.entries[0] = E(4, X, X, X);
  EXPECT_EQ(table.Count(), 2);
}

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables.rotate.entries = {
        E(4, 5, 4, 5),
        E(8, 50, 10, 9),
        E(1, 7, 7, 2),       // 7 twice: slot 1 is tested before slot 2
        E(3, 6, 11, 6),      // and slot 1 before slot 3
        E(A(20), A(21), A(22), A(23)),
        E(50, 60, 70, 80),   // 50 is found in the earlier entry first
        E(X, 0, 0, 0),
        E(99, 98, 97, 96),   // past the end entry
    };
    tables.mirror.entries = {
        E(8, 10, 8, 10),
        E(9, 9, 50, 50),
        E(46, 47, 48, 49),
        E(1, 7, 7, 2),       // 7 twice: slot 2 is tested before slot 1
        E(A(235), A(235), A(237), A(237)),
        E(5, X, X, X),       // a group with missing forms
    };
  }
  MirrorRotateTables tables;
};

TEST_F(LookupTest, RotateLookupTurnsTheEntrySoTheKeyComesFirst) {
  EXPECT_EQ(RotateLookup(tables, 8, 0), (TileRefGroup{8, 50, 10, 9}));
  EXPECT_EQ(RotateLookup(tables, 50, 0), (TileRefGroup{50, 10, 9, 8}));
  EXPECT_EQ(RotateLookup(tables, 10, 0), (TileRefGroup{10, 9, 8, 50}));
  EXPECT_EQ(RotateLookup(tables, 9, 0), (TileRefGroup{9, 8, 50, 10}));
  EXPECT_EQ(RotateLookup(tables, 4, 0), (TileRefGroup{4, 5, 4, 5}));
  EXPECT_EQ(RotateLookup(tables, 5, 0), (TileRefGroup{5, 4, 5, 4}));
  EXPECT_EQ(RotateLookup(tables, 7, 0), (TileRefGroup{7, 7, 2, 1}));
  EXPECT_EQ(RotateLookup(tables, 6, 0), (TileRefGroup{6, 11, 6, 3}));
  EXPECT_EQ(RotateLookup(tables, 60, 0), (TileRefGroup{60, 70, 80, 50}));
  EXPECT_EQ(RotateLookup(tables, 22, 1), (TileRefGroup{A(22), A(23), A(20), A(21)}));
}

TEST_F(LookupTest, MirrorLookupReordersToKeyVerticalHorizontalBoth) {
  EXPECT_EQ(MirrorLookup(tables, 46, 0), (TileRefGroup{46, 47, 48, 49}));
  EXPECT_EQ(MirrorLookup(tables, 47, 0), (TileRefGroup{47, 46, 49, 48}));
  EXPECT_EQ(MirrorLookup(tables, 48, 0), (TileRefGroup{48, 49, 46, 47}));
  EXPECT_EQ(MirrorLookup(tables, 49, 0), (TileRefGroup{49, 48, 47, 46}));
  EXPECT_EQ(MirrorLookup(tables, 7, 0), (TileRefGroup{7, 2, 1, 7}));
  EXPECT_EQ(MirrorLookup(tables, 50, 0), (TileRefGroup{50, 50, 9, 9}));
  EXPECT_EQ(MirrorLookup(tables, 10, 0), (TileRefGroup{10, 8, 10, 8}));
  EXPECT_EQ(MirrorLookup(tables, 237, 1), (TileRefGroup{A(237), A(237), A(235), A(235)}));
  EXPECT_EQ(MirrorLookup(tables, 5, 0), (TileRefGroup{5, X, X, X}));
}

TEST_F(LookupTest, KeysMatchOnlyTheirOwnKindAndOnlyBeforeTheEndEntry) {
  EXPECT_EQ(RotateLookup(tables, 20, 0), kNoGroup);  // a tile 20 is not animation 20
  EXPECT_EQ(MirrorLookup(tables, 8, 1), kNoGroup);
  EXPECT_EQ(MirrorLookup(tables, 235, 0), kNoGroup);
  EXPECT_EQ(RotateLookup(tables, 99, 0), kNoGroup);  // past the end entry
  EXPECT_EQ(RotateLookup(tables, 33, 0), kNoGroup);
  // Empty slots match neither -1 nor their low bits.
  EXPECT_EQ(MirrorLookup(tables, -1, 0), kNoGroup);
  EXPECT_EQ(MirrorLookup(tables, 0xFFFF, 0), kNoGroup);
  EXPECT_EQ(MirrorLookup(tables, 0xFFFF, 1), kNoGroup);
  // The tables are not mixed up.
  EXPECT_EQ(MirrorLookup(tables, 60, 0), kNoGroup);
  EXPECT_EQ(RotateLookup(tables, 46, 0), kNoGroup);
  MirrorRotateTables empty;
  EXPECT_EQ(RotateLookup(empty, 0, 0), kNoGroup);
}

TEST(TransformedCellValues, FollowsTheWritingRule) {
  const CellValues plain{12, 33, -1};     // a stray anim on a plain cell is not copied
  const CellValues animated{77, 40, 5};   // nor a stray tile on an animated one
  // No entry: the source is copied.
  EXPECT_EQ(TransformedCellValues(plain, END_MARK), (CellValues{12, -1, -1}));
  EXPECT_EQ(TransformedCellValues(animated, END_MARK), (CellValues{-1, 40, 5}));
  // An animation keeps the source's data, or starts at 0 from a plain tile.
  EXPECT_EQ(TransformedCellValues(animated, A(41)), (CellValues{-1, 41, 5}));
  EXPECT_EQ(TransformedCellValues(plain, A(41)), (CellValues{-1, 41, 0}));
  // A tile makes a plain cell.
  EXPECT_EQ(TransformedCellValues(animated, 300), (CellValues{300, -1, -1}));
  EXPECT_EQ(TransformedCellValues(plain, 0), (CellValues{0, -1, -1}));
}

TEST_F(LookupTest, CellsAreLookedUpByAnimationOrTile) {
  EXPECT_EQ(TableKeyOf({8, 21, -1}).number, 8);
  EXPECT_EQ(TableKeyOf({8, 21, -1}).animFlag, 0);
  EXPECT_EQ(TableKeyOf({8, 21, 0}).number, 21);
  EXPECT_EQ(TableKeyOf({8, 21, 0}).animFlag, 1);
  // A plain tile whose rotated form is an animation becomes animated with data 0.
  tables.rotate.entries.insert(tables.rotate.entries.begin(), E(300, A(20), 300, A(20)));
  const CellValues source{300, -1, -1};
  const TableKey key = TableKeyOf(source);
  EXPECT_EQ(TransformedCellValues(source, RotateLookup(tables, key.number, key.animFlag)[1]),
            (CellValues{-1, 20, 0}));
  // And back: the animation turns into the tile.
  const CellValues turned{-1, 20, 0};
  const TableKey back = TableKeyOf(turned);
  EXPECT_EQ(TransformedCellValues(turned, RotateLookup(tables, back.number, back.animFlag)[1]),
            (CellValues{300, -1, -1}));
}

}  // namespace
}  // namespace quarl
