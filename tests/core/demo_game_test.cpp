// The generated demo game: its art shows what the mirror and rotate tables
// claim, pixel for pixel, and its maps pass the checks a save runs.
#ifdef QUARL_GAME_DIR

#include <gtest/gtest.h>

#include <array>
#include <zlib.h>

#include "app/tile_sheet.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "map/map_checks.h"
#include "map/map_file_format.h"
#include "map_file_test_support.h"

namespace quarl {
namespace {

using Tile = std::array<uint8_t, 256>;  // palette indices, row by row from the top
const std::string kGame = QUARL_GAME_DIR;

Tile Turned(const Tile& t, bool flipRows, bool flipColumns, bool transpose) {
  Tile o{};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int sy = flipRows ? 15 - y : y, sx = flipColumns ? 15 - x : x;
      o[y * 16 + x] = transpose ? t[sx * 16 + sy] : t[sy * 16 + sx];
    }
  return o;
}

struct DemoGame : ::testing::Test {
  static inline std::vector<uint8_t> bmp, anims;
  static void SetUpTestSuite() {
    bmp = testing::ReadBytes(kGame + "/tiles.bmp");
    anims = testing::ReadBytes(kGame + "/anims.dat");
  }
  void SetUp() override { ASSERT_EQ(TileSheetProblem(bmp), "") << "the demo game's tiles.bmp"; }
  static Tile TileAt(int n) {  // rows are stored bottom-up after the 1078 header bytes
    Tile t{};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) t[y * 16 + x] = bmp[1078 + (1599 - (n / 40) * 16 - y) * 640 + (n % 40) * 16 + x];
    return t;
  }
  // The pictures of a tile (one) or an animation (one per frame).
  static std::vector<Tile> Pictures(TileRef ref) {
    if (!(ref & ANIM_FLAG)) return {TileAt(static_cast<int>(ref))};
    std::vector<Tile> out;
    const size_t at = (ref & 0xFFFF) * 66;
    for (int i = 0; at + 66 <= anims.size() && i < anims[at]; ++i) {
      const int slot = (anims[at + 2 + 2 * i] | anims[at + 3 + 2 * i] << 8) & 0x7FFF;
      if (slot == 0) break;
      out.push_back(TileAt(slot));
    }
    return out;
  }
};

// Mirror slots 1, 2, 3 are slot 0 flipped top to bottom, left to right and
// both; rotate slot k + 1 is slot k turned clockwise; frame by frame.
TEST_F(DemoGame, TableRowsShowMirroredAndTurnedPictures) {
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  for (size_t i = 0; i < tables.mirror.entries.size(); ++i) {
    const auto& s = tables.mirror.entries[i].slots;
    const auto p = Pictures(s[0]);
    ASSERT_FALSE(p.empty()) << "mirror row " << i;
    for (size_t f = 0; f < p.size(); ++f) {
      EXPECT_EQ(Turned(p[f], true, false, false), Pictures(s[1]).at(f)) << "mirror row " << i;
      EXPECT_EQ(Turned(p[f], false, true, false), Pictures(s[2]).at(f)) << "mirror row " << i;
      EXPECT_EQ(Turned(p[f], true, true, false), Pictures(s[3]).at(f)) << "mirror row " << i;
    }
  }
  for (size_t i = 0; i < tables.rotate.entries.size(); ++i) {
    const auto& s = tables.rotate.entries[i].slots;
    EXPECT_NE(Pictures(s[0]), Pictures(s[1])) << "rotate row " << i << " turns nothing";
    for (int k = 0; k < 4; ++k) {
      const auto from = Pictures(s[k]), to = Pictures(s[(k + 1) % 4]);
      ASSERT_EQ(from.size(), to.size()) << "rotate row " << i;
      for (size_t f = 0; f < from.size(); ++f) EXPECT_EQ(Turned(from[f], false, true, true), to[f]) << "rotate row " << i;
    }
  }
  // The shipped mrdata.dat holds the same tables.
  MirrorRotateTables shipped;
  ASSERT_EQ(LoadMirrorRotateTables(kGame, shipped), MrdataStatus::Loaded);
  EXPECT_EQ(shipped, tables);
}

TEST_F(DemoGame, MapsPassTheChecks) {
  for (const char* name : {"twinforts.map", "switchback.map"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> file = testing::ReadBytes(kGame + "/" + name);
    MapDocument doc;
    const MapFilePrelude prelude = ReadMapPrelude(file, doc);
    ASSERT_EQ(ReadMapHeader(file, prelude, doc), HeaderStatus::Ok);
    ASSERT_LT(CellBlockOffset(prelude), file.size());
    std::vector<uint8_t> cells(kCellBlockBytes);
    uLongf length = cells.size();
    ASSERT_EQ(uncompress(cells.data(), &length, file.data() + CellBlockOffset(prelude),
                         file.size() - CellBlockOffset(prelude)), Z_OK);
    ASSERT_EQ(DecodeCells(cells, doc.cells), static_cast<size_t>(kCellCount));
    CountMapObjects(doc);
    EXPECT_EQ(doc.flagCount[0] + doc.switchCount, 1);
    EXPECT_FALSE(CheckFlags(doc).Problem());
    EXPECT_FALSE(CheckSpawnsAndPens(doc).Problem());
  }
}

}  // namespace
}  // namespace quarl

#endif  // QUARL_GAME_DIR
