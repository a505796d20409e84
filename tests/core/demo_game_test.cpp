// The generated demo game: its art shows what the mirror and rotate tables
// claim, pixel for pixel, and its maps pass the checks a save runs.
#ifdef QUARL_GAME_DIR

#include <gtest/gtest.h>

#include <array>

#include "app/tile_sheet.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "map/map_checks.h"
#include "map/map_files.h"
#include "map_file_test_support.h"
#include "tools/animations_file.h"

namespace quarl {
namespace {

using Tile = std::array<uint8_t, 256>;  // palette indices, row by row from the top
const std::string kGame = QUARL_GAME_DIR;

// Each picture flipped and then transposed.
std::vector<Tile> Turned(std::vector<Tile> pictures, bool flipRows, bool flipColumns, bool transpose) {
  for (Tile& t : pictures) {
    const Tile o = t;
    for (int i = 0; i < 256; ++i) {
      const int sy = flipRows ? 15 - i / 16 : i / 16, sx = flipColumns ? 15 - i % 16 : i % 16;
      t[i] = transpose ? o[sx * 16 + sy] : o[sy * 16 + sx];
    }
  }
  return pictures;
}

struct DemoGame : ::testing::Test {
  static inline std::vector<uint8_t> bmp;
  static inline AnimationList anims;
  static void SetUpTestSuite() {
    bmp = testing::ReadBytes(kGame + "/tiles.bmp");
    const std::vector<uint8_t> bytes = testing::ReadBytes(kGame + "/anims.dat");
    ParseAnimations(bytes.data(), bytes.size(), anims);
  }
  void SetUp() override { ASSERT_EQ(TileSheetProblem(bmp), "") << "the demo game's tiles.bmp"; }
  static Tile TileAt(int n) {  // rows are stored bottom-up after the 1078 header bytes
    Tile t{};
    for (int i = 0; i < 256; ++i) t[i] = bmp[1078 + (1599 - n / 40 * 16 - i / 16) * 640 + n % 40 * 16 + i % 16];
    return t;
  }
  // The pictures of a tile (one) or an animation (one per frame).
  static std::vector<Tile> Pictures(TileRef ref) {
    if (!(ref & ANIM_FLAG)) return {TileAt(static_cast<int>(ref))};
    std::vector<Tile> out;
    const Animation* animation = anims.FindAnimation(ref & 0xFFFF);
    for (int32_t frame : animation ? animation->frames : std::vector<int32_t>{}) out.push_back(TileAt(frame));
    return out;
  }
};

// Mirror slots 1, 2, 3 are slot 0 flipped top to bottom, left to right and
// both; rotate slot k + 1 is slot k turned clockwise; frame by frame.
TEST_F(DemoGame, TableRowsShowMirroredAndTurnedPictures) {
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  const bool flips[4][2] = {{false, false}, {true, false}, {false, true}, {true, true}};  // rows, columns
  for (const auto& e : tables.mirror.entries) {
    ASSERT_FALSE(Pictures(e.slots[0]).empty()) << (e.slots[0] & 0xFFFF);
    for (int k = 1; k < 4; ++k) {
      EXPECT_EQ(Pictures(e.slots[k]), Turned(Pictures(e.slots[0]), flips[k][0], flips[k][1], false))
          << "mirror row of " << (e.slots[0] & 0xFFFF) << " slot " << k;
    }
  }
  for (const auto& e : tables.rotate.entries) {
    EXPECT_NE(Pictures(e.slots[0]), Pictures(e.slots[1])) << "a row that turns nothing";
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(Pictures(e.slots[(k + 1) % 4]), Turned(Pictures(e.slots[k]), false, true, true))
          << "rotate row of " << (e.slots[0] & 0xFFFF);
    }
  }
  MirrorRotateTables shipped;  // the shipped mrdata.dat holds the same tables
  ASSERT_EQ(LoadMirrorRotateTables(kGame, shipped), MrdataStatus::Loaded);
  EXPECT_EQ(shipped, tables);
}

TEST_F(DemoGame, MapsPassTheChecks) {
  for (const char* name : {"twinforts.map", "switchback.map"}) {
    SCOPED_TRACE(name);
    MapDocument doc;
    ScriptedUserInterface ui;
    ASSERT_EQ(LoadMapFromBytes(doc, testing::ReadBytes(kGame + "/" + name), *NativeZlibLibrary().Load(""), ui).result,
              OpenResult::Loaded);
    EXPECT_TRUE(ui.messages.empty());
    CountMapObjects(doc);
    const bool flagProblem = CheckFlags(doc).Problem(), spawnProblem = CheckSpawnsAndPens(doc).Problem();
    EXPECT_EQ(std::tuple(doc.flagCount[0] + doc.switchCount, flagProblem, spawnProblem), std::tuple(1, false, false));
  }
}

}  // namespace
}  // namespace quarl

#endif  // QUARL_GAME_DIR
