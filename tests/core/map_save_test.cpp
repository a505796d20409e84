#include <gtest/gtest.h>

#include <cstdlib>

#include "map/map_file_format.h"
#include "map/map_files.h"
#include "editor/new_map.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::PatternWord;
using testing::ReadBytes;
using testing::TempDir;
using testing::TestEditor;
using testing::Open;
using testing::Save;
using testing::NewMap;
using testing::ValuesOfWord;

// A test editor whose saves run no checks, for tests about other things.
struct QuietEditor : TestEditor {
  QuietEditor() {
    editor.options.flagscan = 0;
    editor.options.shscan = 0;
  }
};

MapDocument& PatternMap(TestEditor& t, uint32_t seed) {
  MapDocument* doc = NewMap(t);
  for (uint32_t i = 0; i < kCellCount; ++i) doc->cells[i].SetValues(ValuesOfWord(PatternWord(i, seed)));
  doc->name = "Pattern";
  doc->description = "cells from the fixture pattern";
  doc->teamCount = 3;
  doc->gameType = 1;
  doc->maxPlayers = 32;
  doc->modified = 1;
  return *doc;
}

TEST(SaveMapFile, RoundTripKeepsCellsAndSettings) {
  TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 21);
  doc.cells[5].SetValues({77, 9, 3});    // animated: comes back with tile 0
  doc.cells[6].SetValues({0, 9, 100});
  doc.path = dir.File("round.map");
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_EQ(doc.modified, 0);
  EXPECT_EQ(doc.version, 3);
  EXPECT_EQ(t.ui.saveDialogs, 0);

  ASSERT_EQ(Open(t, doc.path), 1);
  MapDocument& back = *t.Active();
  ASSERT_NE(&back, &doc);
  for (uint32_t i = 0; i < kCellCount; ++i) {
    CellValues want = doc.cells[i].Values();
    if (want.data != -1) want.tile = 0;
    ASSERT_EQ(back.cells[i].Values(), want) << i;
  }
  EXPECT_EQ(back.name, "Pattern");
  EXPECT_EQ(back.description, "cells from the fixture pattern");
  EXPECT_EQ(back.teamCount, 3);
  EXPECT_EQ(back.gameType, 1);
  EXPECT_EQ(back.maxPlayers, 32);
  // The three playing teams' counts and poles travel; Yellow's are not saved.
  for (int team = 0; team < 3; ++team) {
    EXPECT_EQ(back.flagCount[team], doc.flagCount[team]);
    EXPECT_EQ(back.poleCount[team], doc.poleCount[team]);
    EXPECT_EQ(back.poleTeams[team], doc.poleTeams[team]);
  }
  EXPECT_EQ(back.poleCount[3], 0);
  EXPECT_GT(doc.poleCount[3], 0);
  EXPECT_TRUE(t.ui.messages.empty());
}

TEST(SaveMapFile, WritesTheHeaderThenLevelNineCells) {
  TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 22);
  doc.path = dir.File("layout.map");
  ASSERT_EQ(Save(t, doc, 0), 1);
  std::vector<uint8_t> file = ReadBytes(doc.path);
  std::vector<uint8_t> header = EncodeMapHeader(doc);
  ASSERT_GT(file.size(), header.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  EXPECT_EQ(file[4], 3);  // version
  // The rest is one zlib stream of exactly the cell words.
  std::vector<uint8_t> cells(kCellBlockBytes), expected(kCellBlockBytes);
  unsigned long length = kCellBlockBytes;
  auto zlib = t.zlib.Load(".");
  ASSERT_EQ(zlib->Uncompress(cells.data(), &length, file.data() + header.size(), file.size() - header.size()), 0);
  EXPECT_EQ(length, kCellBlockBytes);
  EncodeCells(doc.cells, expected.data());
  EXPECT_EQ(cells, expected);
}

// Loads a fixture written by Python, saves it, and has Python's zlib inflate
// the result and compare it word by word with its own pattern.
TEST(SaveMapFile, OutputInflatesWithPythonsZlib) {
  if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not available";
  TempDir dir;
  QuietEditor t;
  ASSERT_EQ(Open(t, FixturePath("level1.map")), 1);
  MapDocument& doc = *t.Active();
  doc.path = dir.File("from-python.map");
  ASSERT_EQ(Save(t, doc, 0), 1);
  std::string command = "python3 " + std::string(QUARL_TEST_DATA_DIR) + "/make_map_fixtures.py --check " + doc.path + " 1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  // A map that differs in one cell must fail that check, so the check itself
  // is sound.
  doc.cells[40000].SetValues({281, -1, -1});
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_NE(std::system((command + " >/dev/null").c_str()), 0);
}

TEST(SaveMapFile, AsksForANameAndAppliesTheExtensionRule) {
  TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 23);
  // No path yet: asks; cancelled: nothing happens.
  EXPECT_EQ(Save(t, doc, 0), 0);
  EXPECT_EQ(t.ui.saveDialogs, 1);
  EXPECT_TRUE(doc.path.empty());
  EXPECT_EQ(doc.modified, 1);
  EXPECT_EQ(t.zlib.loads, 0);

  t.ui.saveFileNames = {dir.File("plain")};
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_EQ(doc.path, dir.File("plain.map"));
  EXPECT_TRUE(std::filesystem::exists(doc.path));

  // Save As asks even with a path; capital letters count as ".map".
  t.ui.saveFileNames = {dir.File("SHOUT.MAP")};
  ASSERT_EQ(Save(t, doc, 1), 1);
  EXPECT_EQ(doc.path, dir.File("SHOUT.MAP"));
  EXPECT_EQ(t.ui.saveDialogs, 3);
  EXPECT_TRUE(std::filesystem::exists(dir.File("SHOUT.MAP")));

  // Save without the flag and with a path does not ask.
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_EQ(t.ui.saveDialogs, 3);

  EXPECT_EQ(WithMapExtension("abcd"), "untitled.map");
  EXPECT_EQ(WithMapExtension(".map"), ".map");
  EXPECT_EQ(WithMapExtension(".MaP"), ".MaP");
  EXPECT_EQ(WithMapExtension("map"), "map.map");
  EXPECT_EQ(WithMapExtension(""), ".map");
  EXPECT_EQ(WithMapExtension("abcde"), "abcde.map");
  EXPECT_EQ(WithMapExtension("C:\\maps\\a.map.bak"), "C:\\maps\\a.map.bak.map");
  EXPECT_EQ(WithMapExtension("C:\\maps\\arena.Map"), "C:\\maps\\arena.Map");
}

TEST(SaveMapFile, FourCharacterNameBecomesUntitledMap) {
  TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 24);
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.File(""));
  t.ui.saveFileNames = {"abcd"};
  int result = Save(t, doc, 1);
  bool written = std::filesystem::exists("untitled.map");
  std::filesystem::current_path(before);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(doc.path, "untitled.map");
  EXPECT_TRUE(written);
}

TEST(SaveMapFile, TitleFollowsTheSavedFileName) {
  TempDir dir;
  QuietEditor t;
  MapDocument& doc = PatternMap(t, 25);
  doc.path = dir.File("saved\\arena");
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_EQ(t.windows.titles.at(t.WindowOf(doc)), "Pattern (arena.map)");
  // Without a backslash the title is left as it was.
  doc.name = "Other";
  doc.path = dir.File("other.map");
  ASSERT_EQ(Save(t, doc, 0), 1);
  EXPECT_EQ(t.windows.titles.at(t.WindowOf(doc)), "Pattern (arena.map)");
}

TEST(SaveMapFile, UnusableZlibIsReportedAndNothingIsWritten) {
  TempDir dir;
  {
    QuietEditor t;
    t.zlib.present = false;
    MapDocument& doc = PatternMap(t, 26);
    doc.path = dir.File("none.map");
    EXPECT_EQ(Save(t, doc, 0), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "Unable to find zlib.dll\nSave not possible");
    EXPECT_EQ(t.ui.messages[0].title, "Save...");
    EXPECT_FALSE(std::filesystem::exists(doc.path));
    EXPECT_EQ(doc.modified, 1);
  }
  {
    QuietEditor t;
    t.zlib.hasCompress2 = false;
    MapDocument& doc = PatternMap(t, 26);
    doc.path = dir.File("none.map");
    EXPECT_EQ(Save(t, doc, 0), -1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "Invalid zlib.dll\nSave not possible");
    EXPECT_EQ(t.ui.messages[0].title, "Save...");
    EXPECT_FALSE(std::filesystem::exists(doc.path));
  }
}

TEST(SaveMapFile, FailuresLeaveTheOldFileUntouched) {
  TempDir dir;
  std::string path = dir.File("keep.map");
  std::vector<uint8_t> old = ReadBytes(FixturePath("level6.map"));
  testing::WriteBytes(path, old);
  {
    // compress2 reports an error: nothing is deleted or written.
    QuietEditor t;
    t.zlib.compressResult = -5;
    MapDocument& doc = PatternMap(t, 27);
    doc.path = path;
    EXPECT_EQ(Save(t, doc, 0), 0);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "Unable to compress the map\nSave not possible");
    EXPECT_EQ(t.ui.messages[0].title, "Save...");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(doc.modified, 1);
  }
  {
    // A name and description too long for the 16-bit header length.
    QuietEditor t;
    MapDocument& doc = PatternMap(t, 27);
    doc.name.assign(65500, 'n');
    doc.description.assign(200, 'd');
    doc.path = path;
    EXPECT_EQ(Save(t, doc, 0), 0);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, "Save...");
    EXPECT_EQ(ReadBytes(path), old);
  }
}

TEST(SaveMapFile, FileThatCannotBeCreatedStopsBeforeTheChecks) {
  // The new file is made before the map is marked saved and checked: with
  // both checks on and findings to show, only the error is shown.
  TempDir dir;
  TestEditor t;
  MapDocument& doc = PatternMap(t, 28);
  for (const std::string& path : {dir.File("missing-dir/x.map"), dir.File("a-folder.map")}) {
    std::filesystem::create_directory(dir.File("a-folder.map"));
    t.ui.messages.clear();
    doc.path = path;
    EXPECT_EQ(Save(t, doc, 0), 0) << path;
    ASSERT_EQ(t.ui.messages.size(), 1u) << path;
    EXPECT_EQ(t.ui.messages[0].text, "Unable to open a file descriptor");
    EXPECT_EQ(t.ui.messages[0].title, "Error");
    EXPECT_EQ(doc.modified, 1);
  }
  // The folder is untouched and no temporary file is left beside it.
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("a-folder.map")));
  auto entries = std::filesystem::directory_iterator(dir.File(""));
  EXPECT_EQ(std::distance(entries, std::filesystem::directory_iterator()), 1);
}

TEST(SaveMapFile, ChecksRunByOptionAndGameType) {
  TempDir dir;
  // An empty two-team map: too few flag types and no pen for Green.
  const RecordedMessage flag{"Less active types of flags than there are number of teams", "Possible Flag Error!"};
  const RecordedMessage pens{"Holding pen non-existant for a team that exists (Green)", "Spawn/Holding Pen Error!"};
  struct Case {
    int gameType, flagscan, shscan;
    std::vector<RecordedMessage> expected;
  };
  for (const Case& c : {Case{1, 1, 1, {flag, pens}}, Case{0, 1, 1, {pens}}, Case{2, 1, 0, {flag}},
                        Case{1, 0, 0, {}}}) {
    SCOPED_TRACE(c.gameType * 100 + c.flagscan * 10 + c.shscan);
    TestEditor t;
    t.editor.options.flagscan = c.flagscan;
    t.editor.options.shscan = c.shscan;
    MapDocument* doc = NewMap(t);
    doc->gameType = static_cast<uint8_t>(c.gameType);
    doc->path = dir.File("checked.map");
    ASSERT_EQ(Save(t, *doc, 0), 1);  // a finding never stops the save
    ASSERT_EQ(t.ui.messages.size(), c.expected.size());
    for (size_t k = 0; k < c.expected.size(); ++k) {
      EXPECT_EQ(t.ui.messages[k].text, c.expected[k].text);
      EXPECT_EQ(t.ui.messages[k].title, c.expected[k].title);
      EXPECT_EQ(t.ui.messages[k].buttons, Buttons::Ok);
    }
  }
}

TEST(SaveMapFile, ObjectCountsAreRefreshedBeforeWriting) {
  TempDir dir;
  QuietEditor t;
  MapDocument* doc = NewMap(t);
  doc->popupCount = 99;
  doc->flagCount = {7, 7, 7, 7};
  doc->cells[10].SetValues({36, -1, -1});  // a popup tile
  doc->cells[11].SetValues({36, -1, -1});
  doc->cells[300].SetValues({0, 28, 0});   // Green's flag in its own pole
  doc->path = dir.File("counted.map");
  ASSERT_EQ(Save(t, *doc, 0), 1);
  EXPECT_EQ(doc->popupCount, 2);
  EXPECT_EQ(doc->flagCount, (std::array<uint8_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(doc->poleTeams[0], (std::vector<uint8_t>{0}));
  ASSERT_EQ(Open(t, doc->path), 1);
  EXPECT_EQ(t.Active()->popupCount, 2);
  EXPECT_EQ(t.Active()->poleTeams[0], (std::vector<uint8_t>{0}));
}

}  // namespace
}  // namespace quarl
