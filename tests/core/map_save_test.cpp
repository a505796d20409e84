#include <gtest/gtest.h>

#include <cstdlib>

#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::Open;
using testing::ReadBytes;
using testing::Save;
using testing::TestEditor;

// A test editor whose saves run no checks, for tests about other things.
struct QuietEditor : TestEditor {
  QuietEditor() { editor.options.flagscan = editor.options.shscan = 0; }
};

MapDocument& PatternMap(TestEditor& t, uint32_t seed, const std::string& path = "") {
  MapDocument& doc = *testing::NewMap(t);
  for (uint32_t i = 0; i < kCellCount; ++i) doc.cells[i].SetValues(testing::ValuesOfWord(testing::PatternWord(i, seed)));
  doc.name = "Pattern";
  doc.teamCount = 3;
  doc.modified = 1;
  doc.path = path;
  return doc;
}

TEST(SaveMapFile, WritesTheHeaderThenTheCellsAndReadsThemBack) {
  testing::TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 21, dir.File("round.map"));
  doc.cells[5].SetValues({77, 9, 3});  // animated: comes back with tile 0
  ASSERT_EQ(Save(t, doc), 1);
  EXPECT_EQ((std::pair{doc.modified, int{doc.version}}), (std::pair{0, 3}));
  const std::vector<uint8_t> file = ReadBytes(doc.path), header = EncodeMapHeader(doc);
  ASSERT_GT(file.size(), header.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  ASSERT_EQ(Open(t, doc.path), 1);
  EXPECT_EQ((std::pair{t.Active()->cells[4].Values(), t.Active()->cells[5].Values()}),
            (std::pair{doc.cells[4].Values(), CellValues{0, 9, 3}}));
  EXPECT_EQ(t.Active()->poleCount[3], 0);  // Yellow's poles are not saved with three teams
  EXPECT_TRUE(t.ui.messages.empty());
}

// Python's zlib inflates the saved cells and compares them with its own pattern.
TEST(SaveMapFile, OutputInflatesWithPythonsZlib) {
  if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not available";
  testing::TempDir dir;
  QuietEditor t;
  ASSERT_EQ(Open(t, testing::FixturePath("level1.map")), 1);
  t.Active()->path = dir.File("from-python.map");
  ASSERT_EQ(Save(t, *t.Active()), 1);
  EXPECT_EQ(std::system(("python3 " + testing::DataPath("make_map_fixtures.py") + " --check " + t.Active()->path + " 1").c_str()), 0);
}

TEST(SaveMapFile, AsksForANameAppliesTheExtensionRuleAndTitlesTheWindow) {
  testing::TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 23);
  EXPECT_EQ(Save(t, doc), 0);  // no path yet: asks; cancelled: nothing happens
  EXPECT_TRUE(doc.path.empty());
  EXPECT_EQ(t.zlib.loads, 0);
  t.ui.saveFileNames = {dir.File("saved\\arena")};
  ASSERT_EQ(Save(t, doc), 1);
  EXPECT_EQ(doc.path, dir.File("saved\\arena.map"));
  EXPECT_EQ(t.Title(), "Pattern (arena.map)");
  t.ui.saveFileNames = {dir.File("SHOUT.MAP")};  // Save As asks even with a path
  ASSERT_EQ(Save(t, doc, true), 1);
  EXPECT_EQ(doc.path, dir.File("SHOUT.MAP"));
  ASSERT_EQ(Save(t, doc), 1);
  EXPECT_EQ(t.ui.saveDialogs, 3);
  EXPECT_EQ(WithMapExtension("abcd"), "untitled.map");
  EXPECT_EQ(WithMapExtension(".MaP"), ".MaP");
  EXPECT_EQ(WithMapExtension("C:\\maps\\a.map.bak"), "C:\\maps\\a.map.bak.map");
}

TEST(SaveMapFile, FailuresAreReportedAndLeaveTheOldFileUntouched) {
  testing::TempDir dir;
  const std::vector<uint8_t> old = ReadBytes(testing::FixturePath("level6.map"));
  testing::WriteBytes(dir.File("keep.map"), old);
  const struct {
    void (*breakIt)(QuietEditor&, MapDocument&);
    int result;
    const char *text, *title;
  } cases[] = {
      {[](QuietEditor& t, MapDocument&) { t.zlib.present = false; }, -1, "Unable to find zlib.dll\nSave not possible", "Save..."},
      {[](QuietEditor& t, MapDocument&) { t.zlib.hasCompress2 = false; }, -1, "Invalid zlib.dll\nSave not possible", "Save..."},
      {[](QuietEditor& t, MapDocument&) { t.zlib.compressResult = -5; }, 0, "Unable to compress the map\nSave not possible", "Save..."},
      {[](QuietEditor&, MapDocument& d) { d.name.assign(65500, 'n'), d.description.assign(200, 'd'); }, 0, nullptr, "Save..."},
      {[](QuietEditor&, MapDocument& d) { d.path += "/x.map"; }, 0, "Unable to open a file descriptor", "Error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "header too long");
    QuietEditor t;
    MapDocument& doc = PatternMap(t, 27, dir.File("keep.map"));
    c.breakIt(t, doc);
    EXPECT_EQ(Save(t, doc), c.result);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, c.title);
    EXPECT_EQ(t.ui.messages[0].text, c.text ? c.text : t.ui.messages[0].text);
    EXPECT_EQ(ReadBytes(dir.File("keep.map")), old);
    EXPECT_EQ(doc.modified, 1);
  }
}

TEST(SaveMapFile, ChecksRunByOptionAndGameTypeAfterTheObjectsAreCounted) {
  testing::TempDir dir;
  // An empty two-team map: too few flag types and no pen for Green.
  const RecordedMessage flag{"Less active types of flags than there are number of teams", "Possible Flag Error!"};
  const RecordedMessage pens{"Holding pen non-existant for a team that exists (Green)", "Spawn/Holding Pen Error!"};
  const struct {
    int gameType, flagscan, shscan;
    std::vector<RecordedMessage> expected;
  } cases[] = {{1, 1, 1, {flag, pens}}, {0, 1, 1, {pens}}, {2, 1, 0, {flag}}, {1, 0, 0, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gameType * 100 + c.flagscan * 10 + c.shscan);
    TestEditor t;
    t.editor.options.flagscan = c.flagscan;
    t.editor.options.shscan = c.shscan;
    MapDocument* doc = testing::NewMap(t);
    doc->gameType = static_cast<uint8_t>(c.gameType);
    doc->path = dir.File("checked.map");
    ASSERT_EQ(Save(t, *doc), 1);  // a finding never stops the save
    ASSERT_EQ(t.ui.messages.size(), c.expected.size());
    for (size_t k = 0; k < c.expected.size(); ++k) {
      EXPECT_EQ(t.ui.messages[k].text + t.ui.messages[k].title, c.expected[k].text + c.expected[k].title);
    }
  }
  QuietEditor t;
  MapDocument* doc = testing::NewMap(t);
  doc->flagCount = {0, 9, 0, 0};
  doc->cells[300].SetValues({0, 28, 0});  // Green's flag in its own pole
  doc->path = dir.File("counted.map");
  ASSERT_EQ(Save(t, *doc), 1);
  ASSERT_EQ(Open(t, doc->path), 1);
  EXPECT_EQ(t.Active()->flagCount, (std::array<uint8_t, 4>{1, 0, 0, 0}));
}

}  // namespace
}  // namespace quarl
