#include <gtest/gtest.h>

#include "map/map_file_format.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using testing::FixturePath;
using testing::ReadBytes;
using testing::ValuesOfWord;

TEST(CellWord, DecodesPlainAndAnimatedWords) {
  Cell cell;
  DecodeCellWord(static_cast<uint16_t>((131 << 8) | 5), cell);
  EXPECT_EQ(cell.Values(), (CellValues{0, 5, 3}));
  DecodeCellWord(static_cast<uint16_t>((1 << 8) | 24), cell);
  EXPECT_EQ(cell.Values(), (CellValues{280, -1, -1}));
  DecodeCellWord(0xFFFF, cell);
  EXPECT_EQ(cell.Values(), (CellValues{0, 255, 127}));
  DecodeCellWord(0x7FFF, cell);
  EXPECT_EQ(cell.Values(), (CellValues{32767, -1, -1}));
}

TEST(CellWord, EncodesByTheStoredFormula) {
  Cell cell;
  cell.SetValues({999, 5, 3});  // animated: the tile is not looked at
  EXPECT_EQ(EncodeCellWord(cell), (131 << 8) | 5);
  cell.SetValues({0, 300, 127});  // anim keeps its low byte
  EXPECT_EQ(EncodeCellWord(cell), (255 << 8) | (300 & 0xFF));
  cell.SetValues({0, 7, 200});  // (200 + 128) mod 256 = 72: bit 15 is lost
  EXPECT_EQ(EncodeCellWord(cell), (72 << 8) | 7);
  cell.SetValues({0, -1, 0});
  EXPECT_EQ(EncodeCellWord(cell), (128 << 8) | 0xFF);
  cell.SetValues({280, 12, -1});  // plain: the anim is not looked at
  EXPECT_EQ(EncodeCellWord(cell), 280);
  cell.SetValues({0x18005, -1, -1});  // low 16 bits of the tile
  EXPECT_EQ(EncodeCellWord(cell), 0x8005);
}

TEST(CellWord, EveryWordSurvivesDecodeAndEncode) {
  for (uint32_t w = 0; w <= 0xFFFF; ++w) {
    Cell cell;
    DecodeCellWord(static_cast<uint16_t>(w), cell);
    ASSERT_EQ(cell.Values(), ValuesOfWord(static_cast<uint16_t>(w))) << w;
    ASSERT_EQ(EncodeCellWord(cell), w) << w;
  }
}

TEST(CellBlock, EncodesLittleEndianInCellIndexOrderAndDecodesBack) {
  MapDocument doc;
  for (uint32_t i = 0; i < kCellCount; ++i) {
    doc.cells[i].SetValues(ValuesOfWord(testing::PatternWord(i, 77)));
  }
  std::vector<uint8_t> block(kCellBlockBytes);
  EncodeCells(doc.cells, block.data());
  for (uint32_t i = 0; i < kCellCount; ++i) {
    uint16_t w = testing::PatternWord(i, 77);
    ASSERT_EQ(block[2 * i], w & 0xFF) << i;
    ASSERT_EQ(block[2 * i + 1], w >> 8) << i;
  }
  MapDocument back;
  EXPECT_EQ(DecodeCells(block, back.cells), static_cast<size_t>(kCellCount));
  for (uint32_t i = 0; i < kCellCount; ++i) ASSERT_EQ(back.cells[i].Values(), doc.cells[i].Values()) << i;
}

TEST(CellBlock, BlockDecodeAgreesWithTheWordDecodeForEveryWord) {
  // Cell i holds word i, so all 65536 words go through the block decoder
  // over cells that start out dirty.
  std::vector<uint8_t> block(kCellBlockBytes);
  for (uint32_t i = 0; i < kCellCount; ++i) {
    block[2 * i] = static_cast<uint8_t>(i & 0xFF);
    block[2 * i + 1] = static_cast<uint8_t>(i >> 8);
  }
  MapDocument doc;
  for (Cell& cell : doc.cells) cell.SetValues({12345, 678, 90});
  ASSERT_EQ(DecodeCells(block, doc.cells), static_cast<size_t>(kCellCount));
  for (uint32_t i = 0; i < kCellCount; ++i) {
    Cell expected;
    DecodeCellWord(static_cast<uint16_t>(i), expected);
    ASSERT_EQ(doc.cells[i].Values(), expected.Values()) << i;
    ASSERT_FALSE(doc.cells[i].history) << i;
  }
}

TEST(CellBlock, ShortBlockDecodesWholeWordsOnlyAndLeavesTheRest) {
  MapDocument doc;
  std::vector<uint8_t> bytes = {0x05, 0x83, 0x18, 0x01, 0x07};  // two words and a stray byte
  EXPECT_EQ(DecodeCells(bytes, doc.cells), 2u);
  EXPECT_EQ(doc.cells[0].Values(), (CellValues{0, 5, 3}));
  EXPECT_EQ(doc.cells[1].Values(), (CellValues{280, -1, -1}));
  EXPECT_EQ(doc.cells[2].Values(), (CellValues{280, -1, -1}));
  std::vector<uint8_t> tooMany(kCellBlockBytes + 10, 0x11);
  EXPECT_EQ(DecodeCells(tooMany, doc.cells), static_cast<size_t>(kCellCount));
}

// A document set up like the header the fixture script writes for
// saved_header_expected.bin.
MapDocument ThreeTeamArena() {
  MapDocument doc;
  doc.version = 3;
  doc.maxPlayers = 40;
  doc.holding = 15;
  doc.teamCount = 3;
  doc.gameType = 1;
  doc.laserDamage = 1;
  doc.specialDamage = 3;
  doc.rechargeRate = 4;
  doc.missiles = 1;
  doc.bombs = 0;
  doc.bouncies = 1;
  doc.popupCount = 7;
  doc.powerups = 9;
  doc.switchCount = 0;
  doc.flagCount = {1, 2, 0, 9};     // team 3 is not written with 3 teams
  doc.poleCount = {2, 1, 3, 5};
  doc.poleTeams[0] = {0, 4};
  doc.poleTeams[1] = {1};
  doc.poleTeams[2] = {2, 0, 1};
  doc.poleTeams[3] = {3, 3, 3, 3, 3};
  doc.name = "Arena";
  doc.description = "Three teams";
  doc.neutralFlagCount = 3;
  return doc;
}

TEST(MapHeader, MatchesTheBytesOfTheIndependentWriter) {
  MapDocument doc = ThreeTeamArena();
  std::vector<uint8_t> expected = ReadBytes(FixturePath("saved_header_expected.bin"));
  ASSERT_EQ(expected.size(), 56u);
  EXPECT_EQ(EncodeMapHeader(doc), expected);
  // 26 + 2T + S + N + D, and it ends right before the cells.
  EXPECT_EQ(SavedHeaderLength(doc), 26 + 6 + 6 + 5 + 11);
  EXPECT_EQ(EncodeMapHeader(doc).size(), SavedHeaderLength(doc) + 2u);
}

TEST(MapHeader, LengthOfAnUnnamedMapAndSixteenBitWrap) {
  MapDocument doc;
  doc.name.clear();
  doc.teamCount = 4;
  doc.poleCount = {1, 2, 3, 4};
  EXPECT_EQ(SavedHeaderLength(doc), 26 + 8 + 10);
  EXPECT_TRUE(HeaderLengthFits(doc));
  doc.name.assign(65535, 'n');
  doc.description.assign(100, 'd');
  EXPECT_FALSE(HeaderLengthFits(doc));
  EXPECT_EQ(SavedHeaderLength(doc), (26 + 8 + 10 + 65535 + 100) & 0xFFFF);
}

TEST(MapHeader, PoleListsAreWrittenToTheirCountPaddedWithZero) {
  MapDocument doc;
  doc.name.clear();
  doc.poleCount = {3, 0, 0, 0};
  doc.poleTeams[0] = {4};
  std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  // flagCount x2, poleCount x2 at 23..26, then team 0's three pole bytes.
  ASSERT_EQ(bytes.size(), 2u + 26 + 4 + 3);
  EXPECT_EQ(bytes[27], 4);
  EXPECT_EQ(bytes[28], 0);
  EXPECT_EQ(bytes[29], 0);
}

TEST(MapHeader, ReadsWhatItWritesAndForcesTheSize) {
  MapDocument doc = ThreeTeamArena();
  doc.width = 17;
  doc.height = 900;
  std::vector<uint8_t> bytes = EncodeMapHeader(doc);
  MapDocument back;
  MapFilePrelude prelude = ReadMapPrelude(bytes, back);
  EXPECT_EQ(prelude.headerLength, SavedHeaderLength(doc));
  EXPECT_EQ(prelude.version, 3);
  ASSERT_EQ(ReadMapHeader(bytes, prelude, back), HeaderStatus::Ok);
  EXPECT_EQ(back.width, 256);
  EXPECT_EQ(back.height, 256);
  EXPECT_EQ(back.teamCount, 3);
  EXPECT_EQ(back.flagCount, (std::array<uint8_t, 4>{1, 2, 0, 0}));
  EXPECT_EQ(back.poleCount, (std::array<uint8_t, 4>{2, 1, 3, 0}));
  EXPECT_EQ(back.poleTeams[0], (std::vector<uint8_t>{0, 4}));
  EXPECT_EQ(back.poleTeams[2], (std::vector<uint8_t>{2, 0, 1}));
  EXPECT_TRUE(back.poleTeams[3].empty());
  EXPECT_EQ(back.name, "Arena");
  EXPECT_EQ(back.description, "Three teams");
  EXPECT_EQ(back.neutralFlagCount, 3);
  EXPECT_EQ(back.popupCount, 7);
  EXPECT_EQ(back.rechargeRate, 4);
}

TEST(MapHeader, EveryTruncationKeepsTheFieldsItCannotSupply) {
  MapDocument doc = ThreeTeamArena();
  std::vector<uint8_t> full = EncodeMapHeader(doc);
  const MapDocument fresh;
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    std::vector<uint8_t> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    MapDocument back;
    MapFilePrelude prelude = ReadMapPrelude(part, back);
    ASSERT_EQ(ReadMapHeader(part, prelude, back), HeaderStatus::Ok) << cut;
    EXPECT_EQ(back.magic, cut >= 2 ? doc.magic : fresh.magic) << cut;
    EXPECT_EQ(prelude.headerLength, cut >= 4 ? SavedHeaderLength(doc) : 0) << cut;
    EXPECT_EQ(back.teamCount, cut >= 12 ? 3 : 2) << cut;
    EXPECT_EQ(back.popupCount, cut >= 21 ? 7 : 0) << cut;  // two bytes at 19
    EXPECT_EQ(back.powerups, cut >= 22 ? 9 : 12) << cut;
    // The name's length sits at 23 + 2T + S = 35; its text is cut with the file.
    if (cut < 37) {
      EXPECT_EQ(back.name, "Untitled") << cut;
    } else {
      EXPECT_EQ(back.name, std::string("Arena").substr(0, cut - 37)) << cut;
    }
    // Without headerLength the neutral byte is looked for at offset 1.
    uint8_t neutral = cut == full.size() ? 3 : (cut == 2 || cut == 3) ? 0x42 : 0;
    EXPECT_EQ(back.neutralFlagCount, neutral) << cut;
    for (int t = 0; t < 4; ++t) EXPECT_EQ(back.poleTeams[t].size(), back.poleCount[t]) << cut;
  }
}

}  // namespace
}  // namespace quarl
