#include <gtest/gtest.h>

#include "map/map_file_format.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::ValuesOfWord;

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
  std::vector<uint8_t> back(kCellBlockBytes);
  EncodeCells(doc.cells, back.data());
  EXPECT_EQ(back, block);
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
  EXPECT_EQ(SavedHeaderLength(doc), 26 + 6 + 6 + 5 + 11);  // 26 + 2T + S + N + D
  doc.poleTeams[0] = {4};  // a pole list shorter than its count is padded with zero
  const std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 29, bytes.begin() + 31), (std::vector<uint8_t>{4, 0}));
  doc.name.assign(65535, 'n');
  EXPECT_FALSE(HeaderLengthFits(doc));  // the length is kept in 16 bits
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
