#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "history/default_tables.h"
#include "history/mrdata_file.h"

namespace quarl {
namespace {

namespace fs = std::filesystem;

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
MirrorRotateTables BystanderTables() {
  MirrorRotateTables t;
  t.mirror.entries = {E(1, 2, 3, 4)};
  t.rotate.entries = {E(5, 6, 7, 8), E(A(9), A(10), A(11), A(12))};
  return t;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

fs::path Fixture(const std::string& name) { return fs::path(QUARL_TEST_DATA_DIR) / "mrdata" / name; }

MrdataStatus ParseFixture(const std::string& name, MirrorRotateTables& tables) {
  const std::vector<uint8_t> bytes = ReadBytes(Fixture(name));
  EXPECT_TRUE(fs::exists(Fixture(name))) << name;
  return ParseMrdata(bytes, tables);
}

// A fresh, empty program directory for one test.
class MrdataDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() /
          ("quarl-mrdata-" + std::to_string(std::random_device{}()) + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path File() const { return dir / "mrdata.dat"; }

  fs::path dir;
};

TEST(MrdataFormat, MatchesAnIndependentWriter) {
  MirrorRotateTables tables;
  ASSERT_EQ(ParseFixture("sample.dat", tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
  EXPECT_EQ(SerializeMrdata(SampleTables()), ReadBytes(Fixture("sample.dat")));

  ASSERT_EQ(ParseFixture("full_tables.dat", tables), MrdataStatus::Loaded);
  ASSERT_EQ(tables.mirror.Count(), kMaxTableEntries);
  ASSERT_EQ(tables.rotate.Count(), kMaxTableEntries);
  EXPECT_EQ(tables.mirror.entries[510], E(510, 511, 512, A(510)));
  EXPECT_EQ(SerializeMrdata(tables), ReadBytes(Fixture("full_tables.dat")));
  EXPECT_EQ(SerializeMrdata(tables).size(), kMrdataMaxBytes);
}

TEST(MrdataFormat, ReadsEmptyTablesTailsAndEndEntries) {
  MirrorRotateTables tables = BystanderTables();
  ASSERT_EQ(ParseFixture("empty_tables.dat", tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.Count(), 0);
  EXPECT_EQ(tables.rotate.Count(), 0);
  EXPECT_EQ(SerializeMrdata(tables), (std::vector<uint8_t>{0, 0, 0, 0}));

  ASSERT_EQ(ParseFixture("sample_with_tail.dat", tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());

  // An end entry inside the mirror entries cuts the mirror table there; the
  // rotate table after it is read in full.
  ASSERT_EQ(ParseFixture("end_entry_inside.dat", tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables.mirror.entries, (std::vector<MirrorRotateEntry>{E(8, 10, 8, 10)}));
  EXPECT_EQ(tables.rotate.entries, SampleTables().rotate.entries);
}

TEST(MrdataFormat, DamagedFilesAreRefusedAndLeaveTheTablesAlone) {
  const struct {
    const char* file;
    MrdataStatus status;
  } cases[] = {
      {"count_not_multiple_of_16.dat", MrdataStatus::ByteCountNotEntries},
      {"too_many_entries.dat", MrdataStatus::TooManyEntries},
      {"ends_inside_mirror_entries.dat", MrdataStatus::EndsEarly},
      {"ends_before_rotate_count.dat", MrdataStatus::EndsEarly},
      {"ends_inside_rotate_entries.dat", MrdataStatus::EndsEarly},
      {"zero_bytes.dat", MrdataStatus::EndsEarly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    MirrorRotateTables tables = BystanderTables();
    EXPECT_EQ(ParseFixture(c.file, tables), c.status);
    EXPECT_EQ(tables.mirror.entries, BystanderTables().mirror.entries);
    EXPECT_EQ(tables.rotate.entries, BystanderTables().rotate.entries);
    EXPECT_FALSE(MrdataStatusText(c.status).empty());
  }
  EXPECT_TRUE(MrdataStatusText(MrdataStatus::Loaded).empty());
}

TEST(MrdataFormat, EveryCutOfAGoodFileIsRefused) {
  const std::vector<uint8_t> whole = ReadBytes(Fixture("sample.dat"));
  ASSERT_EQ(whole.size(), 84u);
  for (size_t n = 0; n < whole.size(); ++n) {
    MirrorRotateTables tables = BystanderTables();
    // A copy of exactly n bytes, so a read past the cut is seen by the sanitizers.
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_EQ(ParseMrdata(cut, tables), MrdataStatus::EndsEarly) << n;
    ASSERT_EQ(tables, BystanderTables()) << n;
  }
}

TEST(MrdataFormat, WritesOnlyTheCountedEntries) {
  MirrorRotateTables tables = SampleTables();
  tables.mirror.entries.insert(tables.mirror.entries.begin() + 1, E(X, 0, 0, 0));
  for (int i = 0; i < 600; ++i) tables.rotate.entries.push_back(E(7, 7, 7, 7));
  const std::vector<uint8_t> bytes = SerializeMrdata(tables);
  ASSERT_EQ(bytes.size(), 2 + 16 + 2 + 16u * kMaxTableEntries);
  EXPECT_EQ(bytes[0], 16);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[18] | bytes[19] << 8, 16 * kMaxTableEntries);
  MirrorRotateTables back;
  ASSERT_EQ(ParseMrdata(bytes, back), MrdataStatus::Loaded);
  EXPECT_EQ(back, tables);
}

TEST_F(MrdataDirTest, SaveCreatesTheFileAndLoadReadsItBack) {
  ASSERT_TRUE(SaveMirrorRotateTables(dir.string(), SampleTables()));
  EXPECT_EQ(ReadBytes(File()), ReadBytes(Fixture("sample.dat")));
  MirrorRotateTables tables = BystanderTables();
  ASSERT_EQ(LoadMirrorRotateTables(dir.string(), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
}

TEST_F(MrdataDirTest, SavingShorterTablesKeepsTheOldTail) {
  MirrorRotateTables longer = SampleTables();
  for (int i = 0; i < 20; ++i) longer.mirror.entries.push_back(E(100 + i, 0, 0, 0));
  ASSERT_TRUE(SaveMirrorRotateTables(dir.string(), longer));
  const std::vector<uint8_t> old = ReadBytes(File());

  const MirrorRotateTables shorter = SampleTables();
  ASSERT_TRUE(SaveMirrorRotateTables(dir.string(), shorter));
  const std::vector<uint8_t> now = ReadBytes(File());
  const std::vector<uint8_t> written = SerializeMrdata(shorter);
  ASSERT_EQ(now.size(), old.size());
  EXPECT_TRUE(std::equal(written.begin(), written.end(), now.begin()));
  EXPECT_TRUE(std::equal(now.begin() + static_cast<std::ptrdiff_t>(written.size()), now.end(),
                         old.begin() + static_cast<std::ptrdiff_t>(written.size())));

  MirrorRotateTables loaded;
  ASSERT_EQ(LoadMirrorRotateTables(dir.string(), loaded), MrdataStatus::Loaded);
  EXPECT_EQ(loaded, shorter);
}

TEST_F(MrdataDirTest, BuiltInTablesSaveAndLoadBack) {
  const MirrorRotateTables defaults = DefaultMirrorRotateTables();
  ASSERT_TRUE(SaveMirrorRotateTables(dir.string(), defaults));
  const std::vector<uint8_t> bytes = ReadBytes(File());
  ASSERT_EQ(bytes.size(), 2u + 2720 + 2 + 2528);
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 2720);
  EXPECT_EQ(bytes[2722] | bytes[2723] << 8, 2528);
  MirrorRotateTables loaded;
  ASSERT_EQ(LoadMirrorRotateTables(dir.string(), loaded), MrdataStatus::Loaded);
  EXPECT_EQ(loaded.mirror.entries, defaults.mirror.entries);
  EXPECT_EQ(loaded.rotate.entries, defaults.rotate.entries);

  // Shorter tables over the built-in ones' file: the file keeps its length
  // and its tail, and still loads to exactly the shorter tables.
  MirrorRotateTables shorter = defaults;
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(shorter.mirror.Delete(0));
  ASSERT_TRUE(shorter.rotate.Delete(157));
  ASSERT_TRUE(SaveMirrorRotateTables(dir.string(), shorter));
  const std::vector<uint8_t> now = ReadBytes(File());
  ASSERT_EQ(now.size(), bytes.size());
  const size_t written = 4 + 16 * (130 + 157);
  EXPECT_TRUE(std::equal(now.begin() + written, now.end(), bytes.begin() + written));
  ASSERT_EQ(LoadMirrorRotateTables(dir.string(), loaded), MrdataStatus::Loaded);
  EXPECT_EQ(loaded.mirror.entries, shorter.mirror.entries);
  EXPECT_EQ(loaded.rotate.entries, shorter.rotate.entries);
  EXPECT_EQ(loaded.mirror.Count(), 130);
  EXPECT_EQ(loaded.rotate.Count(), 157);
}

TEST_F(MrdataDirTest, LoadFailuresLeaveTheTablesAlone) {
  MirrorRotateTables tables = BystanderTables();
  EXPECT_EQ(LoadMirrorRotateTables(dir.string(), tables), MrdataStatus::CannotOpen);
  EXPECT_EQ(LoadMirrorRotateTables((dir / "missing").string(), tables), MrdataStatus::CannotOpen);
  fs::create_directory(File());  // something that cannot be read as a file
  EXPECT_EQ(LoadMirrorRotateTables(dir.string(), tables), MrdataStatus::CannotOpen);
  fs::remove(File());
  WriteBytes(File(), ReadBytes(Fixture("too_many_entries.dat")));
  EXPECT_EQ(LoadMirrorRotateTables(dir.string(), tables), MrdataStatus::TooManyEntries);
  EXPECT_EQ(tables, BystanderTables());
  // A huge file: only its first two tables' worth is read.
  std::vector<uint8_t> huge = ReadBytes(Fixture("sample.dat"));
  huge.resize(1 << 20, 0xEE);
  WriteBytes(File(), huge);
  EXPECT_EQ(LoadMirrorRotateTables(dir.string(), tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, SampleTables());
}

TEST_F(MrdataDirTest, SaveIntoAMissingDirectoryWritesNothing) {
  EXPECT_FALSE(SaveMirrorRotateTables((dir / "missing").string(), SampleTables()));
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

}  // namespace
}  // namespace quarl
