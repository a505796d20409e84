#include <gtest/gtest.h>

#include "history/mrdata_file.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::ReadBytes;

constexpr TileRef A(uint32_t id) { return ANIM_FLAG | id; }
constexpr TileRef X = END_MARK;
MirrorRotateEntry E(TileRef a, TileRef b, TileRef c, TileRef d) { return MirrorRotateEntry{{a, b, c, d}}; }

// The tables tests/data/mrdata/make_fixtures.py writes into sample.dat.
MirrorRotateTables SampleTables() {
  MirrorRotateTables t;
  t.mirror.entries = {E(8, 10, 8, 10), E(46, 47, 48, 49), E(A(235), A(235), A(237), A(237))};
  t.rotate.entries = {E(8, 50, 10, 9), E(3999, X, A(255), 0)};
  return t;
}

// Tables that no fixture holds, to see that a refused file leaves them alone.
MirrorRotateTables Bystander() {
  MirrorRotateTables t;
  t.rotate.entries = {E(A(9), A(10), A(11), A(12))};
  return t;
}

std::vector<uint8_t> Fixture(const std::string& name) { return ReadBytes(testing::DataPath("mrdata/" + name)); }
MrdataStatus Parse(const std::vector<uint8_t>& bytes, MirrorRotateTables& tables) { return ParseMrdata(bytes, tables); }

TEST(MrdataFormat, MatchesAnIndependentWriterBothWays) {
  MirrorRotateTables tables;
  ASSERT_EQ(Parse(Fixture("sample.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
  EXPECT_EQ(SerializeMrdata(SampleTables()), Fixture("sample.dat"));
  ASSERT_EQ(Parse(Fixture("full_tables.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.entries.at(510), E(510, 511, 512, A(510)));
  EXPECT_EQ(SerializeMrdata(tables), Fixture("full_tables.dat"));
  // A tail after the tables is ignored; an end entry ends its table there.
  ASSERT_EQ(Parse(Fixture("sample_with_tail.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
  ASSERT_EQ(Parse(Fixture("end_entry_inside.dat"), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.entries, (std::vector<MirrorRotateEntry>{E(8, 10, 8, 10)}));
  EXPECT_EQ(tables.rotate, SampleTables().rotate);
}

TEST(MrdataFormat, DamagedFilesAndEveryCutOfAGoodOneAreRefusedWhole) {
  for (auto [file, status] : {std::pair{"count_not_multiple_of_16.dat", MrdataStatus::ByteCountNotEntries},
                              {"too_many_entries.dat", MrdataStatus::TooManyEntries}}) {
    MirrorRotateTables tables = Bystander();
    EXPECT_EQ(Parse(Fixture(file), tables), status);
    EXPECT_EQ(tables, Bystander());
    EXPECT_FALSE(MrdataStatusText(status).empty());
  }
  const std::vector<uint8_t> whole = Fixture("sample.dat");
  for (size_t n = 0; n < whole.size(); ++n) {
    MirrorRotateTables tables = Bystander();  // a copy of n bytes, so the sanitizers see a read past it
    ASSERT_EQ(Parse(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)), tables),
              MrdataStatus::EndsEarly) << n;
    ASSERT_EQ(tables, Bystander()) << n;
  }
}

TEST(MrdataFile, SavingShorterTablesKeepsTheOldTailAndLoadsBack) {
  testing::TempDir dir;
  const std::string program = dir.path.string();
  MirrorRotateTables tables = Bystander();
  EXPECT_EQ(LoadMirrorRotateTables(program, tables), MrdataStatus::CannotOpen);
  EXPECT_FALSE(SaveMirrorRotateTables(program + "/missing", tables));
  MirrorRotateTables longer = SampleTables();
  longer.mirror.entries.resize(20, E(100, 0, 0, 0));
  ASSERT_TRUE(SaveMirrorRotateTables(program, longer));
  const std::vector<uint8_t> old = ReadBytes(dir.File("mrdata.dat"));
  ASSERT_TRUE(SaveMirrorRotateTables(program, SampleTables()));
  std::vector<uint8_t> now = ReadBytes(dir.File("mrdata.dat")), written = SerializeMrdata(SampleTables());
  std::copy(old.begin() + static_cast<std::ptrdiff_t>(written.size()), old.end(), std::back_inserter(written));
  EXPECT_EQ(now, written);
  EXPECT_EQ(LoadMirrorRotateTables(program, tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
}

}  // namespace
}  // namespace quarl
