#include <gtest/gtest.h>

#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::Open;
using testing::PatternWord;
using testing::TestEditor;
using testing::ValuesOfWord;

constexpr const char* kIncomplete = "The map's cell data is incomplete or damaged.\nOnly ";

// The first `count` cells against pattern seed; the rest must be blank.
void ExpectPatternCells(const MapDocument& doc, uint32_t seed, uint32_t count = kCellCount) {
  for (uint32_t i = 0; i < kCellCount; ++i) {
    const CellValues want = i < count ? ValuesOfWord(PatternWord(i, seed)) : CellValues{280, -1, -1};
    ASSERT_EQ(doc.cells[i].Values(), want) << "cell " << i;
  }
}

void ExpectOnlyMessage(const TestEditor& t, const std::string& text, const std::string& title) {
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text, text);
  EXPECT_EQ(t.ui.messages[0].title, title);
}

TEST(OpenMapFile, CompressedFixturesLoadCellByCellAndFieldByField) {
  const struct {
    const char* file;
    uint32_t seed;
  } cases[] = {{"level1.map", 1}, {"v0.map", 4}, {"v2.map", 5}, {"teams4.map", 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(c.file)), 1);
    EXPECT_TRUE(t.ui.messages.empty());
    const MapDocument& doc = *t.Active();
    ExpectPatternCells(doc, c.seed);
    EXPECT_EQ(doc.maxPlayers, 40);
    EXPECT_EQ(doc.rechargeRate, 4);
    EXPECT_EQ(doc.popupCount, 7);
    EXPECT_EQ(doc.powerups, 9);
    EXPECT_EQ(doc.description, "made by make_map_fixtures.py");
    EXPECT_EQ(doc.version, 0);  // the file's version is not kept
    EXPECT_EQ(doc.modified, 0);
    EXPECT_EQ(doc.path, FixturePath(c.file));
    // The compressed path focuses the window and repaints it in full.
    EXPECT_EQ(t.windows.focused, std::vector<WindowId>{t.editor.activeMapWindow});
    EXPECT_EQ(t.windows.fullRepaints, std::vector<WindowId>{t.editor.activeMapWindow});
  }
}

TEST(OpenMapFile, PerTeamFieldsAndPaddedRawAndUnnamedFiles) {
  TestEditor t;
  ASSERT_EQ(Open(t, FixturePath("teams3.map")), 1);
  EXPECT_EQ(t.Active()->teamCount, 3);
  EXPECT_EQ(t.Active()->flagCount, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(t.Active()->poleTeams[2], (std::vector<uint8_t>{2, 0, 1}));
  EXPECT_TRUE(t.Active()->poleTeams[3].empty());
  EXPECT_EQ(t.Active()->neutralFlagCount, 1);
  ASSERT_EQ(Open(t, FixturePath("padded.map")), 1);  // extra header bytes are skipped
  ExpectPatternCells(*t.Active(), 6);
  EXPECT_EQ(t.Active()->neutralFlagCount, 5);
  ASSERT_EQ(Open(t, FixturePath("empty_name.map")), 1);
  EXPECT_EQ(t.Active()->name, "");
  EXPECT_TRUE(t.windows.focused.size() == 3 && t.ui.messages.empty());

  // Version 1 keeps its cells raw, and its window is neither focused,
  // retitled nor repainted in full.
  TestEditor raw;
  ASSERT_EQ(Open(raw, FixturePath("raw_v1.map")), 1);
  ExpectPatternCells(*raw.Active(), 3);
  EXPECT_TRUE(raw.windows.focused.empty() && raw.windows.fullRepaints.empty());
  EXPECT_EQ(raw.Title(), "Untitled");
}

TEST(OpenMapFile, NewerVersionAsksYesReadsRawNoClosesTheMap) {
  TestEditor t;
  t.ui.answers = {Answer::Yes, Answer::No};
  ASSERT_EQ(Open(t, FixturePath("v4.map")), 1);
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text, "Invalid Version on map, Continue?");
  EXPECT_EQ(t.ui.messages[0].title, "Error");
  EXPECT_EQ(t.ui.messages[0].buttons, Buttons::YesNo);
  ExpectPatternCells(*t.Active(), 7);
  const WindowId first = t.editor.activeMapWindow;
  EXPECT_EQ(Open(t, FixturePath("v4.map")), 0);
  EXPECT_EQ(t.editor.maps.Size(), 1u);
  EXPECT_EQ(t.editor.activeMapWindow, first);
}

TEST(OpenMapFile, TitleIsNameAndFileNameAfterTheLastBackslash) {
  testing::TempDir dir;
  // A backslash is an ordinary file name character here; the program sees a
  // Windows path.
  const std::string path = dir.File("maps\\arena.map");
  testing::WriteBytes(path, testing::ReadBytes(FixturePath("level6.map")));
  TestEditor t;
  ASSERT_EQ(Open(t, path), 1);
  EXPECT_EQ(t.Title(), "Fixture (arena.map)");
  ASSERT_EQ(Open(t, FixturePath("level6.map")), 1);  // no backslash: the title stays
  EXPECT_EQ(t.Title(), "Untitled");
}

TEST(OpenMapFile, RefusedFilesAreReportedAndLeaveNoMap) {
  TestEditor t;
  const std::string longPath = "/tmp/" + std::string(300, 'x') + ".map";
  EXPECT_EQ(Open(t, longPath), 0);  // only the first 255 characters are kept
  ExpectOnlyMessage(t, "Unable to open " + longPath.substr(0, 255), "Error - Halting Open");
  TestEditor teams;
  EXPECT_EQ(Open(teams, FixturePath("teams5.map")), 0);
  ExpectOnlyMessage(teams, "Invalid team count on map (5); a map has at most 4 teams.\nOpen cannot continue",
                    "Error - Halting Open");
  TestEditor noWindow;
  noWindow.windows.windowCreationSucceeds = false;
  EXPECT_EQ(Open(noWindow, FixturePath("level1.map")), 0);
  ExpectOnlyMessage(noWindow, "CreateNewMAP() returned FALSE", "Error - Halting Open");
  EXPECT_EQ(noWindow.zlib.loads, 0);
  for (TestEditor* e : {&t, &teams, &noWindow}) EXPECT_TRUE(e->editor.maps.Empty());
}

TEST(OpenMapFile, UnusableZlibLeavesAnEmptyMapOpen) {
  TestEditor t;
  t.zlib.present = false;
  EXPECT_EQ(Open(t, FixturePath("level1.map")), -1);
  ExpectOnlyMessage(t, "Unable to find zlib.dll\nOpen cannot continue", "Open...");
  ASSERT_EQ(t.editor.maps.Size(), 1u);
  EXPECT_EQ(t.Active()->cells[0].Values(), (CellValues{280, -1, -1}));
  TestEditor u;
  u.zlib.hasUncompress = false;
  EXPECT_EQ(Open(u, FixturePath("level1.map")), -1);
  ExpectOnlyMessage(u, "Invalid zlib.dll\nOpen cannot continue", "Open...");
}

TEST(OpenMapFile, DamagedFilesKeepWhatWasReadAndTellTheUser) {
  const std::string blank = " of 65536 cells could be read; the others are left blank.";
  const struct {
    const char* file;
    uint32_t seed, cells;
    std::string message;
  } cases[] = {
      {"truncated_header.map", 0, 0, kIncomplete + std::string("0") + blank},
      {"header_beyond_file.map", 0, 0, kIncomplete + std::string("0") + blank},
      {"truncated_raw_cells.map", 13, 1000, kIncomplete + std::string("1000") + blank},
      {"short_zlib.map", 15, 1500, kIncomplete + std::string("1500") + blank},
      {"bad_checksum.map", 14, kCellCount,
       "The map's cell data is damaged.\nAll its cells were read, but some may be wrong."},
      {"long_zlib.map", 16, kCellCount,
       "The map's cell data is damaged.\nAll its cells were read, but some may be wrong."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(c.file)), 1);
    ExpectOnlyMessage(t, c.message, "Error - Non-fatal");
    ExpectPatternCells(*t.Active(), c.seed, c.cells);
  }
  // Cut inside the name: the fields before it and the name's bytes that are there.
  TestEditor t;
  ASSERT_EQ(Open(t, FixturePath("truncated_name.map")), 1);
  EXPECT_EQ(t.Active()->gameType, 1);
  EXPECT_EQ(t.Active()->name, "Fixtu");
  // A stream cut in half or scrambled in the middle: the cells in front of
  // the damage come through.
  for (const char* file : {"truncated_zlib.map", "broken_zlib.map"}) {
    TestEditor d;
    ASSERT_EQ(Open(d, FixturePath(file)), 1);
    EXPECT_EQ(d.ui.messages.size(), 1u) << file;
    for (uint32_t i = 0; i < 2000; ++i) ASSERT_EQ(d.Active()->cells[i].Values(), ValuesOfWord(PatternWord(i, 14)));
  }
}

}  // namespace
}  // namespace quarl
