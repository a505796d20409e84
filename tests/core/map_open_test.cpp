#include <gtest/gtest.h>

#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::Open;
using testing::TestEditor;

// The fixture script's pattern_word: word i of pattern seed.
uint16_t PatternWord(uint32_t i, uint32_t seed) {
  uint32_t h = i * 2654435761u + seed * 40503u;
  h ^= h >> 15;
  if (h % 32 < 26) return 280;
  if (h % 32 < 30) return static_cast<uint16_t>((h >> 5) % 1200);
  return static_cast<uint16_t>(0x8000 | (((h >> 16) & 0x7F) << 8) | ((h >> 8) & 0xFF));
}

CellValues ValuesOfWord(uint16_t w) {
  return w & 0x8000 ? CellValues{0, w & 0xFF, (w >> 8) & 0x7F} : CellValues{w, -1, -1};
}

const std::string kIncomplete = "The map's cell data is incomplete or damaged.\nOnly ";
const std::string kLeftBlank = " of 65536 cells could be read; the others are left blank.";
const std::string kDamaged = "The map's cell data is damaged.\nAll its cells were read, but some may be wrong.";

// The first `count` cells against pattern seed; the rest must be blank unless only the first count matter.
void ExpectPatternCells(const MapDocument& doc, uint32_t seed, uint32_t count = kCellCount, bool restBlank = true) {
  for (uint32_t i = 0; i < (restBlank ? kCellCount : count); ++i) {
    const CellValues want = i < count ? ValuesOfWord(PatternWord(i, seed)) : CellValues{280, -1, -1};
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
  EXPECT_EQ(std::pair(t.Active()->flagCount, t.Active()->poleTeams[2]),
            std::pair(std::array<uint8_t, 4>{1, 2, 0, 0}, std::vector<uint8_t>{2, 0, 1}));
  // Version 1 keeps its cells raw; its window is not focused, retitled or repainted in full.
  ASSERT_EQ(Open(t, FixturePath("raw_v1.map")), 1);
  ExpectPatternCells(*t.Active(), 3);
  EXPECT_EQ(t.windows.fullRepaints.size(), 1u);
  EXPECT_EQ(t.Title(), "Untitled");
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
  TestEditor t;  // zlib without uncompress
  t.zlib.hasUncompress = false;
  EXPECT_EQ(Open(t, FixturePath("level1.map")), -1);
  EXPECT_EQ(testing::Shown(t.ui), testing::Texts{"Open...: Invalid zlib.dll\nOpen cannot continue"});
  ASSERT_EQ(t.editor.maps.Size(), 1u);  // an empty map stays open
  EXPECT_EQ(t.Active()->cells[0].Values(), (CellValues{280, -1, -1}));
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

TEST(CellWords, EncodeByTheStoredFormulaAndEveryWordSurvivesARoundTrip) {
  Cell cell;
  cell.SetValues({999, 300, 200});  // animated: anim's low byte; (200 + 128) mod 256 = 72; no tile
  EXPECT_EQ(EncodeCellWord(cell), (72 << 8) | (300 & 0xFF));
  cell.SetValues({0x18005, 12, -1});  // plain: the low 16 bits of the tile
  EXPECT_EQ(EncodeCellWord(cell), 0x8005);
  for (uint32_t w = 0; w <= 0xFFFF; ++w) {
    DecodeCellWord(static_cast<uint16_t>(w), cell);
    ASSERT_EQ(cell.Values(), ValuesOfWord(static_cast<uint16_t>(w))) << w;
    ASSERT_EQ(EncodeCellWord(cell), w) << w;
  }
}

TEST(CellWords, BlocksAreLittleEndianInCellOrderAndPartialDecodesLeaveTheRest) {
  std::vector<uint8_t> block(kCellBlockBytes);  // cell i holds word i
  for (uint32_t i = 0; i < kCellCount; ++i) block[2 * i] = i & 0xFF, block[2 * i + 1] = static_cast<uint8_t>(i >> 8);
  MapDocument doc;
  for (size_t count : {1u, 7u, 8u, 9u, 17u, 65536u}) {
    for (Cell& cell : doc.cells) cell.SetValues({12345, 678, 90});
    ASSERT_EQ(DecodeCells(std::span<const uint8_t>(block).first(2 * count), doc.cells), count);
    for (size_t i = 0; i < kCellCount; ++i) {
      const CellValues want = i < count ? ValuesOfWord(static_cast<uint16_t>(i)) : CellValues{12345, 678, 90};
      ASSERT_EQ(doc.cells[i].Values(), want) << count << " cells, cell " << i;
    }
  }
  EXPECT_EQ(DecodeCells(std::vector<uint8_t>{0x05, 0x83, 0x07}, doc.cells), 1u);  // a stray byte is no word
}

// Set up like the header the fixture script writes for saved_header_expected.bin.
MapDocument ThreeTeamArena() {
  MapDocument doc;
  doc.version = 3;
  doc.maxPlayers = 40, doc.holding = 15, doc.teamCount = 3, doc.gameType = 1, doc.laserDamage = 1;
  doc.specialDamage = 3, doc.rechargeRate = 4, doc.missiles = 1, doc.bombs = 0, doc.bouncies = 1;
  doc.popupCount = 7, doc.powerups = 9;
  doc.flagCount = {1, 2, 0, 9};  // team 3 is not written with 3 teams
  doc.poleCount = {2, 1, 3, 5};
  doc.poleTeams = {{{0, 4}, {1}, {2, 0, 1}, {3, 3, 3, 3, 3}}};
  doc.name = "Arena";
  doc.description = "Three teams";
  doc.neutralFlagCount = 3;
  return doc;
}

TEST(MapHeader, MatchesTheBytesOfTheIndependentWriter) {
  MapDocument doc = ThreeTeamArena();
  EXPECT_EQ(EncodeMapHeader(doc), testing::ReadBytes(testing::FixturePath("saved_header_expected.bin")));
  doc.poleTeams[0] = {4};  // a pole list shorter than its count is padded with zero
  const std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 29, bytes.begin() + 31), (std::vector<uint8_t>{4, 0}));
}

TEST(MapHeader, EveryTruncationKeepsTheFieldsItCannotSupply) {
  const std::vector<uint8_t> full = EncodeMapHeader(ThreeTeamArena());
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    const std::vector<uint8_t> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    MapDocument back;
    ASSERT_EQ(ReadMapHeader(part, ReadMapPrelude(part, back), back), HeaderStatus::Ok) << cut;
    EXPECT_EQ(back.teamCount, cut >= 12 ? 3 : 2) << cut;
    EXPECT_EQ(back.popupCount, cut >= 21 ? 7 : 0) << cut;  // two bytes at 19
    EXPECT_EQ(back.powerups, cut >= 22 ? 9 : 12) << cut;
    // The name's length sits at 23 + 2T + S = 35; its text is cut with the file.
    EXPECT_EQ(back.name, cut < 37 ? "Untitled" : std::string("Arena").substr(0, cut - 37)) << cut;
    EXPECT_EQ(back.neutralFlagCount, cut == full.size() ? 3 : (cut == 2 || cut == 3) ? 0x42 : 0) << cut;
    for (int t = 0; t < 4; ++t) EXPECT_EQ(back.poleTeams[t].size(), back.poleCount[t]) << cut;
  }
}

}  // namespace
}  // namespace quarl
