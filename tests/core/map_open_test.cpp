#include <gtest/gtest.h>

#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::PatternWord;
using testing::TempDir;
using testing::TestEditor;
using testing::Open;
using testing::Save;
using testing::NewMap;
using testing::ValuesOfWord;

constexpr const char* kIncomplete = "The map's cell data is incomplete or damaged.\nOnly ";

// Every cell of doc against pattern seed, for the first `count` cells; the
// rest must be blank.
void ExpectPatternCells(const MapDocument& doc, uint32_t seed, uint32_t count = kCellCount) {
  for (uint32_t i = 0; i < kCellCount; ++i) {
    CellValues want = i < count ? ValuesOfWord(PatternWord(i, seed)) : CellValues{280, -1, -1};
    ASSERT_EQ(doc.cells[i].Values(), want) << "cell " << i;
  }
}

void ExpectOnlyMessage(const TestEditor& t, const std::string& text, const std::string& title) {
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text, text);
  EXPECT_EQ(t.ui.messages[0].title, title);
}

TEST(OpenMapFile, CompressedFixturesLoadCellByCellAndFieldByField) {
  struct Case {
    const char* file;
    uint32_t seed;
  };
  for (Case c : {Case{"level1.map", 1}, Case{"level6.map", 2}, Case{"v0.map", 4}, Case{"v2.map", 5},
                 Case{"teams3.map", 8}, Case{"teams4.map", 9}}) {
    SCOPED_TRACE(c.file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(c.file)), 1);
    EXPECT_TRUE(t.ui.messages.empty());
    MapDocument* doc = t.Active();
    ASSERT_TRUE(doc);
    ExpectPatternCells(*doc, c.seed);
    EXPECT_EQ(doc->magic, 0x4278);
    EXPECT_EQ(doc->width, 256);
    EXPECT_EQ(doc->height, 256);
    EXPECT_EQ(doc->maxPlayers, 40);
    EXPECT_EQ(doc->holding, 15);
    EXPECT_EQ(doc->gameType, 1);
    EXPECT_EQ(doc->laserDamage, 1);
    EXPECT_EQ(doc->specialDamage, 3);
    EXPECT_EQ(doc->rechargeRate, 4);
    EXPECT_EQ(doc->missiles, 1);
    EXPECT_EQ(doc->bombs, 0);
    EXPECT_EQ(doc->bouncies, 1);
    EXPECT_EQ(doc->popupCount, 7);
    EXPECT_EQ(doc->powerups, 9);
    EXPECT_EQ(doc->name, "Fixture");
    EXPECT_EQ(doc->description, "made by make_map_fixtures.py");
    EXPECT_EQ(doc->version, 0);  // the file's version is not kept
    EXPECT_EQ(doc->modified, 0);
    EXPECT_EQ(doc->path, FixturePath(c.file));
    EXPECT_EQ(doc->undoCount(), 0);
    // The compressed path focuses the window and repaints it in full.
    EXPECT_EQ(t.windows.focused, std::vector<WindowId>{t.WindowOf(*doc)});
    EXPECT_EQ(t.windows.fullRepaints, std::vector<WindowId>{t.WindowOf(*doc)});
  }
}

TEST(OpenMapFile, PerTeamFieldsOfTwoThreeAndFourTeams) {
  TestEditor t;
  ASSERT_EQ(Open(t, FixturePath("level6.map")), 1);
  MapDocument* two = t.Active();
  EXPECT_EQ(two->teamCount, 2);
  EXPECT_EQ(two->flagCount, (std::array<uint8_t, 4>{2, 1, 0, 0}));
  EXPECT_EQ(two->poleCount, (std::array<uint8_t, 4>{2, 2, 0, 0}));
  EXPECT_EQ(two->poleTeams[0], (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(two->poleTeams[1], (std::vector<uint8_t>{1, 0}));
  EXPECT_EQ(two->neutralFlagCount, 2);

  ASSERT_EQ(Open(t, FixturePath("teams3.map")), 1);
  MapDocument* three = t.Active();
  EXPECT_EQ(three->teamCount, 3);
  EXPECT_EQ(three->flagCount, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(three->poleCount, (std::array<uint8_t, 4>{2, 1, 3, 0}));
  EXPECT_EQ(three->poleTeams[0], (std::vector<uint8_t>{0, 4}));
  EXPECT_EQ(three->poleTeams[2], (std::vector<uint8_t>{2, 0, 1}));
  EXPECT_TRUE(three->poleTeams[3].empty());
  EXPECT_EQ(three->neutralFlagCount, 1);

  ASSERT_EQ(Open(t, FixturePath("teams4.map")), 1);
  MapDocument* four = t.Active();
  EXPECT_EQ(four->teamCount, 4);
  EXPECT_EQ(four->flagCount, (std::array<uint8_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(four->poleCount, (std::array<uint8_t, 4>{1, 2, 1, 4}));
  EXPECT_EQ(four->poleTeams[1], (std::vector<uint8_t>{1, 4}));
  EXPECT_EQ(four->poleTeams[3], (std::vector<uint8_t>{3, 0, 1, 2}));
  EXPECT_EQ(t.editor.maps.Size(), 3u);
}

TEST(OpenMapFile, RawAndPaddedAndUnnamedFiles) {
  {
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("raw_v1.map")), 1);
    ExpectPatternCells(*t.Active(), 3);
    // The raw path neither focuses, retitles nor forces a repaint.
    EXPECT_TRUE(t.windows.focused.empty());
    EXPECT_TRUE(t.windows.fullRepaints.empty());
    EXPECT_EQ(t.windows.titles.at(t.editor.activeMapWindow), "Untitled");
  }
  {
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("padded.map")), 1);
    ExpectPatternCells(*t.Active(), 6);
    EXPECT_EQ(t.Active()->neutralFlagCount, 5);
  }
  {
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("empty_name.map")), 1);
    ExpectPatternCells(*t.Active(), 10);
    EXPECT_EQ(t.Active()->name, "");
    EXPECT_EQ(t.Active()->nameLength(), 0);
    EXPECT_EQ(t.Active()->description, "");
  }
}

TEST(OpenMapFile, NewerVersionAsksAndYesReadsRaw) {
  TestEditor t;
  t.ui.answers = {Answer::Yes};
  ASSERT_EQ(Open(t, FixturePath("v4.map")), 1);
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text, "Invalid Version on map, Continue?");
  EXPECT_EQ(t.ui.messages[0].title, "Error");
  EXPECT_EQ(t.ui.messages[0].buttons, Buttons::YesNo);
  ExpectPatternCells(*t.Active(), 7);
  EXPECT_TRUE(t.windows.fullRepaints.empty());  // read like version 1
}

TEST(OpenMapFile, NewerVersionAnsweredNoClosesTheMap) {
  TestEditor t;
  ASSERT_EQ(Open(t, FixturePath("level1.map")), 1);
  WindowId first = t.editor.activeMapWindow;
  t.ui.answers = {Answer::No};
  EXPECT_EQ(Open(t, FixturePath("v4.map")), 0);
  EXPECT_EQ(t.editor.maps.Size(), 1u);
  EXPECT_EQ(t.editor.activeMapWindow, first);
  EXPECT_EQ(t.windows.titles.size(), 1u);
}

TEST(OpenMapFile, TitleIsNameAndFileNameAfterTheLastBackslash) {
  TempDir dir;
  // A backslash is an ordinary file name character here; the program sees a
  // Windows path.
  std::string path = dir.File("maps\\arena.map");
  testing::WriteBytes(path, testing::ReadBytes(FixturePath("level6.map")));
  TestEditor t;
  ASSERT_EQ(Open(t, path), 1);
  EXPECT_EQ(t.windows.titles.at(t.editor.activeMapWindow), "Fixture (arena.map)");

  // No backslash: the title stays.
  ASSERT_EQ(Open(t, FixturePath("level6.map")), 1);
  EXPECT_EQ(t.windows.titles.at(t.editor.activeMapWindow), "Untitled");
}

TEST(OpenMapFile, MissingFileAndOverlongPath) {
  TestEditor t;
  std::string path = FixturePath("no-such-file.map");
  EXPECT_EQ(Open(t, path), 0);
  ExpectOnlyMessage(t, "Unable to open " + path, "Error - Halting Open");
  EXPECT_TRUE(t.editor.maps.Empty());
  EXPECT_EQ(t.editor.activeMapWindow, 0u);

  // Only the first 255 characters of a path are kept.
  TestEditor u;
  std::string longPath = "/tmp/" + std::string(300, 'x') + ".map";
  EXPECT_EQ(Open(u, longPath), 0);
  ExpectOnlyMessage(u, "Unable to open " + longPath.substr(0, 255), "Error - Halting Open");
}

TEST(OpenMapFile, UnusableZlibLeavesAnEmptyMapOpen) {
  {
    TestEditor t;
    t.zlib.present = false;
    EXPECT_EQ(Open(t, FixturePath("level1.map")), -1);
    ExpectOnlyMessage(t, "Unable to find zlib.dll\nOpen cannot continue", "Open...");
    ASSERT_EQ(t.editor.maps.Size(), 1u);
    EXPECT_EQ(t.Active()->path, FixturePath("level1.map"));
    EXPECT_EQ(t.Active()->cells[0].Values(), (CellValues{280, -1, -1}));
    EXPECT_EQ(t.windows.titles.at(t.editor.activeMapWindow), "Untitled");
  }
  {
    TestEditor t;
    t.zlib.hasUncompress = false;
    EXPECT_EQ(Open(t, FixturePath("level1.map")), -1);
    ExpectOnlyMessage(t, "Invalid zlib.dll\nOpen cannot continue", "Open...");
    EXPECT_EQ(t.editor.maps.Size(), 1u);
  }
}

TEST(OpenMapFile, FailedNewMapStopsTheOpen) {
  TestEditor t;
  t.windows.windowCreationSucceeds = false;
  EXPECT_EQ(Open(t, FixturePath("level1.map")), 0);
  ExpectOnlyMessage(t, "CreateNewMAP() returned FALSE", "Error - Halting Open");
  EXPECT_TRUE(t.editor.maps.Empty());
  EXPECT_EQ(t.zlib.loads, 0);
}

TEST(OpenMapFile, MoreThanFourTeamsIsRefused) {
  TestEditor t;
  EXPECT_EQ(Open(t, FixturePath("teams5.map")), 0);
  ExpectOnlyMessage(t, "Invalid team count on map (5); a map has at most 4 teams.\nOpen cannot continue",
                    "Error - Halting Open");
  EXPECT_TRUE(t.editor.maps.Empty());
}

TEST(OpenMapFile, TruncatedHeadersKeepNewMapValues) {
  {
    // Cut right after teamCount: the file's fields up to there, new-map
    // values after, and no cells at all.
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("truncated_header.map")), 1);
    MapDocument* doc = t.Active();
    EXPECT_EQ(doc->maxPlayers, 40);
    EXPECT_EQ(doc->holding, 15);
    EXPECT_EQ(doc->teamCount, 2);
    EXPECT_EQ(doc->gameType, 0);
    EXPECT_EQ(doc->powerups, 12);
    EXPECT_EQ(doc->name, "Untitled");
    EXPECT_EQ(doc->description, "");
    ExpectPatternCells(*doc, 0, 0);
    ExpectOnlyMessage(t, std::string(kIncomplete) + "0 of 65536 cells could be read; the others are left blank.",
                      "Error - Non-fatal");
  }
  {
    // Cut inside the name: the name keeps the bytes that are there.
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("truncated_name.map")), 1);
    EXPECT_EQ(t.Active()->gameType, 1);
    EXPECT_EQ(t.Active()->poleTeams[0], (std::vector<uint8_t>{0}));
    EXPECT_EQ(t.Active()->name, "Fixtu");
    EXPECT_EQ(t.Active()->description, "");
    EXPECT_EQ(t.ui.messages.size(), 1u);
  }
  {
    // headerLength far beyond the end: no neutral byte, no cells.
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("header_beyond_file.map")), 1);
    EXPECT_EQ(t.Active()->name, "Fixture");
    EXPECT_EQ(t.Active()->neutralFlagCount, 0);
    ExpectPatternCells(*t.Active(), 0, 0);
    EXPECT_EQ(t.ui.messages.size(), 1u);
  }
}

TEST(OpenMapFile, ShortOrBrokenCellBlocksKeepWhatWasReadAndTellTheUser) {
  {
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("truncated_raw_cells.map")), 1);
    ExpectPatternCells(*t.Active(), 13, 1000);
    ExpectOnlyMessage(t, std::string(kIncomplete) + "1000 of 65536 cells could be read; the others are left blank.",
                      "Error - Non-fatal");
  }
  {
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath("short_zlib.map")), 1);
    ExpectPatternCells(*t.Active(), 15, 1500);
    ExpectOnlyMessage(t, std::string(kIncomplete) + "1500 of 65536 cells could be read; the others are left blank.",
                      "Error - Non-fatal");
  }
  // A stream cut in half inflates part of the cells; one with 64 bytes
  // scrambled in the middle still yields 131072 bytes, wrong from the damage
  // on, and fails its checksum. Either way the user is told.
  struct Case {
    const char* file;
    const char* message;
  };
  for (Case c : {Case{"truncated_zlib.map", kIncomplete},
                 Case{"broken_zlib.map", "The map's cell data is damaged.\nAll its cells were read"}}) {
    SCOPED_TRACE(c.file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(c.file)), 1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text.rfind(c.message, 0), 0u) << t.ui.messages[0].text;
    EXPECT_EQ(t.ui.messages[0].title, "Error - Non-fatal");
    // The cells in front of the damage come through intact: the first
    // quarter of the stream holds far more than 2000 cells.
    MapDocument* doc = t.Active();
    for (uint32_t i = 0; i < 2000; ++i) {
      ASSERT_EQ(doc->cells[i].Values(), ValuesOfWord(PatternWord(i, 14))) << i;
    }
  }
}

TEST(OpenMapFile, FullSetOfCellsFromAStreamZlibRejects) {
  struct Case {
    const char* file;
    uint32_t seed;
  };
  for (Case c : {Case{"bad_checksum.map", 14}, Case{"long_zlib.map", 16}}) {
    SCOPED_TRACE(c.file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(c.file)), 1);
    ExpectPatternCells(*t.Active(), c.seed);
    ExpectOnlyMessage(t, "The map's cell data is damaged.\nAll its cells were read, but some may be wrong.",
                      "Error - Non-fatal");
  }
}

TEST(OpenMapFile, DirectoryIsNotAMap) {
  TempDir dir;
  TestEditor t;
  std::string path = dir.File("");
  EXPECT_EQ(Open(t, path), 0);
  ExpectOnlyMessage(t, "Unable to open " + path, "Error - Halting Open");
}

}  // namespace
}  // namespace quarl
