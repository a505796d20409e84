#include <gtest/gtest.h>

#include "history/mirror_rotate_tables.h"
#include "history/mrdata_file.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::ReadBytes;

constexpr TileRef A(uint32_t id) { return ANIM_FLAG | id; }
constexpr TileRef X = END_MARK;
MirrorRotateEntry E(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

TEST(MirrorRotateTable, AddDeleteAndTheEndEntry) {
  MirrorRotateTable table;
  table.entries = {E(1, 1, 1, 1), E(5, 6, 7, 8), E(X, 0, 0, 0), E(2, 2, 2, 2)};
  EXPECT_EQ(table.Count(), 2);  // what lies past the end entry does not count
  EXPECT_FALSE(table.Delete(2));
  EXPECT_EQ(table.Add(), 3);  // replaces the end entry and drops what lay after it
  EXPECT_TRUE(table.Delete(0));  // later rows move up
  EXPECT_EQ(table.entries, (std::vector<MirrorRotateEntry>{E(5, 6, 7, 8), E(0, 0, 0, 0)}));
  table.entries[0] = E(4, X, X, X);  // END_MARK in another slot ends nothing
  EXPECT_EQ(table.Count(), 2);
  MirrorRotateTable full;
  for (int i = 0; i < kMaxTableEntries; ++i) ASSERT_EQ(full.Add(), i + 1);
  EXPECT_EQ(full.Add(), kMaxTableEntries);
  EXPECT_EQ(full.entries.size(), static_cast<size_t>(kMaxTableEntries));
}

TEST(MirrorRotateTable, LookupsPutTheKeyFirstInTheirOwnOrder) {
  MirrorRotateTables tables;
  tables.rotate.entries = {E(8, 50, 10, 9), E(1, 7, 7, 2),  // 7 twice: slot 1 is tested before slot 2
                           E(A(20), A(21), A(22), A(23)), E(50, 60, 70, 80), E(X, 0, 0, 0), E(99, 98, 97, 96)};
  tables.mirror.entries = {E(9, 9, 50, 50), E(46, 47, 48, 49), E(1, 7, 7, 2), E(5, X, X, X)};
  EXPECT_EQ(RotateLookup(tables, 50, 0), (TileRefGroup{50, 10, 9, 8}));  // the earlier entry first
  EXPECT_EQ(RotateLookup(tables, 9, 0), (TileRefGroup{9, 8, 50, 10}));
  EXPECT_EQ(RotateLookup(tables, 7, 0), (TileRefGroup{7, 7, 2, 1}));
  EXPECT_EQ(RotateLookup(tables, 22, 1), (TileRefGroup{A(22), A(23), A(20), A(21)}));
  EXPECT_EQ(MirrorLookup(tables, 47, 0), (TileRefGroup{47, 46, 49, 48}));  // key, vertical, horizontal, both
  EXPECT_EQ(MirrorLookup(tables, 48, 0), (TileRefGroup{48, 49, 46, 47}));
  EXPECT_EQ(MirrorLookup(tables, 7, 0), (TileRefGroup{7, 2, 1, 7}));  // slot 2 before slot 1
  EXPECT_EQ(MirrorLookup(tables, 5, 0), (TileRefGroup{5, X, X, X}));
  // Only keys of their own kind, before the end entry, never empty slots.
  for (auto [number, anim] : {std::pair{20, 0}, {99, 0}, {33, 0}, {-1, 0}, {0xFFFF, 1}}) {
    EXPECT_EQ(RotateLookup(tables, number, anim), kNoGroup) << number;
  }
  EXPECT_EQ(MirrorLookup(tables, 60, 0), kNoGroup);
}

TEST(MirrorRotateTable, TransformedCellsFollowTheWritingRule) {
  const CellValues plain{12, 33, -1};    // a stray anim on a plain cell is not copied
  const CellValues animated{77, 40, 5};  // nor a stray tile on an animated one
  EXPECT_EQ(TransformedCellValues(plain, END_MARK), (CellValues{12, -1, -1}));
  EXPECT_EQ(TransformedCellValues(animated, A(41)), (CellValues{-1, 41, 5}));
  EXPECT_EQ(TransformedCellValues(animated, 300), (CellValues{300, -1, -1}));
  // Looked up by the tile when plain, by the animation when animated.
  EXPECT_EQ((std::pair{TableKeyOf({8, 21, -1}).number, TableKeyOf({8, 21, 0}).number}), (std::pair{8, 21}));
}

// The tables tests/data/mrdata/make_fixtures.py writes into sample.dat.
const MirrorRotateTables kSample{{{E(8, 10, 8, 10), E(46, 47, 48, 49), E(A(235), A(235), A(237), A(237))}},
                                 {{E(8, 50, 10, 9), E(3999, X, A(255), 0)}}};

// Tables that no fixture holds, to see that a refused file leaves them alone.
const MirrorRotateTables kBystander{{}, {{E(A(9), A(10), A(11), A(12))}}};

std::vector<uint8_t> Fixture(const std::string& name) { return ReadBytes(testing::DataPath("mrdata/" + name)); }

TEST(MrdataFormat, MatchesAnIndependentWriterBothWays) {
  MirrorRotateTables tables;
  ASSERT_EQ(ParseMrdata(Fixture("sample.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, kSample);
  EXPECT_EQ(SerializeMrdata(kSample), Fixture("sample.dat"));
  ASSERT_EQ(ParseMrdata(Fixture("full_tables.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.entries.at(510), E(510, 511, 512, A(510)));
  EXPECT_EQ(SerializeMrdata(tables), Fixture("full_tables.dat"));
  // A tail after the tables is ignored; an end entry ends its table there.
  ASSERT_EQ(ParseMrdata(Fixture("sample_with_tail.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, kSample);
  ASSERT_EQ(ParseMrdata(Fixture("end_entry_inside.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.entries, (std::vector<MirrorRotateEntry>{E(8, 10, 8, 10)}));
  EXPECT_EQ(tables.rotate, kSample.rotate);
}

TEST(MrdataFormat, DamagedFilesAndEveryCutOfAGoodOneAreRefusedWhole) {
  for (auto [file, status] : {std::pair{"count_not_multiple_of_16.dat", MrdataStatus::ByteCountNotEntries},
                              {"too_many_entries.dat", MrdataStatus::TooManyEntries}}) {
    MirrorRotateTables tables = kBystander;
    EXPECT_EQ(ParseMrdata(Fixture(file), tables), status);
    EXPECT_EQ(tables, kBystander);
    EXPECT_FALSE(MrdataStatusText(status).empty());
  }
  const std::vector<uint8_t> whole = Fixture("sample.dat");
  for (size_t n = 0; n < whole.size(); ++n) {
    MirrorRotateTables tables = kBystander;  // a copy of n bytes, so the sanitizers see a read past it
    ASSERT_EQ(ParseMrdata(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)), tables),
              MrdataStatus::EndsEarly) << n;
    ASSERT_EQ(tables, kBystander) << n;
  }
}

TEST(MrdataFile, SavingShorterTablesKeepsTheOldTailAndLoadsBack) {
  testing::TempDir dir;
  const std::string program = dir.path.string();
  MirrorRotateTables tables = kBystander;
  EXPECT_EQ(LoadMirrorRotateTables(program, tables), MrdataStatus::CannotOpen);
  EXPECT_FALSE(SaveMirrorRotateTables(program + "/missing", tables));
  MirrorRotateTables longer = kSample;
  longer.mirror.entries.resize(20, E(100, 0, 0, 0));
  ASSERT_TRUE(SaveMirrorRotateTables(program, longer));
  const std::vector<uint8_t> old = ReadBytes(dir.File("mrdata.dat"));
  ASSERT_TRUE(SaveMirrorRotateTables(program, kSample));
  std::vector<uint8_t> now = ReadBytes(dir.File("mrdata.dat")), written = SerializeMrdata(kSample);
  std::copy(old.begin() + static_cast<std::ptrdiff_t>(written.size()), old.end(), std::back_inserter(written));
  EXPECT_EQ(now, written);
  EXPECT_EQ(LoadMirrorRotateTables(program, tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, kSample);
}

}  // namespace
}  // namespace quarl
