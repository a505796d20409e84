#include <gtest/gtest.h>

#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::Open;
using testing::TestEditor;

const std::string kIncomplete = "The map's cell data is incomplete or damaged.\nOnly ";
const std::string kLeftBlank = " of 65536 cells could be read; the others are left blank.";
const std::string kDamaged = "The map's cell data is damaged.\nAll its cells were read, but some may be wrong.";

// The first `count` cells against pattern seed; the rest must be blank unless only the first count matter.
void ExpectPatternCells(const MapDocument& doc, uint32_t seed, uint32_t count = kCellCount, bool restBlank = true) {
  for (uint32_t i = 0; i < (restBlank ? kCellCount : count); ++i) {
    const CellValues want = i < count ? testing::ValuesOfWord(testing::PatternWord(i, seed)) : CellValues{280, -1, -1};
    ASSERT_EQ(doc.cells[i].Values(), want) << "cell " << i;
  }
}

TEST(OpenMapFile, FixturesLoadCellByCellAndFieldByField) {
  const std::pair<const char*, uint32_t> files[] = {{"level1.map", 1}, {"v0.map", 4}, {"v2.map", 5}, {"padded.map", 6}};
  for (auto [file, seed] : files) {
    SCOPED_TRACE(file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(file)), 1);
    EXPECT_TRUE(t.ui.messages.empty());
    const MapDocument& doc = *t.Active();
    ExpectPatternCells(doc, seed);
    EXPECT_EQ(doc.popupCount + doc.neutralFlagCount, seed == 6 ? 7 + 5 : 7);  // the last fields, after any padding
    EXPECT_EQ(doc.version + doc.modified, 0);  // the file's version is not kept
    // The compressed path focuses the window and repaints it in full.
    const std::vector<WindowId> active{t.editor.activeMapWindow};
    EXPECT_EQ(std::pair(t.windows.focused, t.windows.fullRepaints), std::pair(active, active));
  }
  TestEditor t;
  ASSERT_EQ(Open(t, FixturePath("teams3.map")), 1);
  EXPECT_EQ(t.Active()->flagCount, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(t.Active()->poleTeams[2], (std::vector<uint8_t>{2, 0, 1}));
  // Version 1 keeps its cells raw; its window is not focused, retitled or repainted in full.
  ASSERT_EQ(Open(t, FixturePath("raw_v1.map")), 1);
  ExpectPatternCells(*t.Active(), 3);
  EXPECT_EQ(t.windows.fullRepaints.size(), 1u);
  EXPECT_EQ(t.Title(), "Untitled");
  // Otherwise the title is the map's name and the part of the path after its last backslash.
  testing::TempDir dir;
  testing::WriteBytes(dir.File("maps\\arena.map"), testing::ReadBytes(FixturePath("level6.map")));
  ASSERT_EQ(Open(t, dir.File("maps\\arena.map")), 1);
  EXPECT_EQ(t.Title(), "Fixture (arena.map)");
}

TEST(OpenMapFile, NewerVersionAsksYesReadsRawNoClosesTheMap) {
  TestEditor t;
  t.ui.answers = {Answer::Yes, Answer::No};
  ASSERT_EQ(Open(t, FixturePath("v4.map")), 1);
  ASSERT_EQ(testing::Shown(t.ui), testing::Texts{"Error: Invalid Version on map, Continue?"});
  EXPECT_EQ(t.ui.messages[0].buttons, Buttons::YesNo);
  ExpectPatternCells(*t.Active(), 7);
  const WindowId first = t.editor.activeMapWindow;
  EXPECT_EQ(Open(t, FixturePath("v4.map")), 0);
  EXPECT_EQ(std::pair(t.editor.maps.Size(), t.editor.activeMapWindow), std::pair(size_t{1}, first));
}

TEST(OpenMapFile, RefusedFilesAreReportedAndLeaveNoMap) {
  const std::string longPath = "/tmp/" + std::string(300, 'x') + ".map";
  const std::pair<std::string, std::string> cases[] = {
      {longPath, "Unable to open " + longPath.substr(0, 255)},  // only 255 characters are kept
      {FixturePath("teams5.map"), "Invalid team count on map (5); a map has at most 4 teams.\nOpen cannot continue"},
      {FixturePath("level1.map"), "CreateNewMAP() returned FALSE"}};
  for (const auto& [path, message] : cases) {
    TestEditor t;
    t.windows.windowCreationSucceeds = path != FixturePath("level1.map");
    EXPECT_EQ(Open(t, path), 0);
    EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Error - Halting Open: " + message});
    EXPECT_TRUE(t.editor.maps.Empty());
    EXPECT_TRUE(t.windows.windowCreationSucceeds || t.zlib.loads == 0);  // no window: zlib never loaded
  }
  for (bool present : {false, true}) {  // zlib missing, or without uncompress
    TestEditor t;
    t.zlib.present = present;
    t.zlib.hasUncompress = false;
    EXPECT_EQ(Open(t, FixturePath("level1.map")), -1);
    const std::string problem = present ? "Invalid zlib.dll" : "Unable to find zlib.dll";
    EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Open...: " + problem + "\nOpen cannot continue"});
    ASSERT_EQ(t.editor.maps.Size(), 1u);  // an empty map stays open
    EXPECT_EQ(t.Active()->cells[0].Values(), (CellValues{280, -1, -1}));
  }
}

TEST(OpenMapFile, DamagedFilesKeepWhatWasReadAndTellTheUser) {
  // A stream cut in half or scrambled in the middle: the cells in front of the damage come through.
  const std::tuple<const char*, uint32_t, uint32_t, std::string> cases[] = {
      {"truncated_header.map", 0, 0, kIncomplete + "0" + kLeftBlank},
      {"header_beyond_file.map", 0, 0, kIncomplete + "0" + kLeftBlank},
      {"truncated_raw_cells.map", 13, 1000, kIncomplete + "1000" + kLeftBlank},
      {"short_zlib.map", 15, 1500, kIncomplete + "1500" + kLeftBlank}, {"bad_checksum.map", 14, kCellCount, kDamaged},
      {"long_zlib.map", 16, kCellCount, kDamaged}, {"truncated_zlib.map", 14, 2000, ""},
      {"broken_zlib.map", 14, 2000, ""}};
  for (const auto& [file, seed, cells, message] : cases) {
    SCOPED_TRACE(file);
    TestEditor t;
    ASSERT_EQ(Open(t, FixturePath(file)), 1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(testing::Shown(t.ui)[0], "Error - Non-fatal: " + (message.empty() ? t.ui.messages[0].text : message));
    ExpectPatternCells(*t.Active(), seed, cells, !message.empty());
  }
}

}  // namespace
}  // namespace quarl
