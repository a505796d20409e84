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
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) t[y * 16 + x] = bmp[1078 + (1599 - (n / 40) * 16 - y) * 640 + (n % 40) * 16 + x];
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
      std::vector<Tile> expected;
      for (const Tile& t : Pictures(e.slots[0])) expected.push_back(Turned(t, flips[k][0], flips[k][1], false));
      EXPECT_EQ(Pictures(e.slots[k]), expected) << "mirror row of " << (e.slots[0] & 0xFFFF) << " slot " << k;
    }
  }
  for (const auto& e : tables.rotate.entries) {
    EXPECT_NE(Pictures(e.slots[0]), Pictures(e.slots[1])) << "a row that turns nothing";
    for (int k = 0; k < 4; ++k) {
      std::vector<Tile> expected;
      for (const Tile& t : Pictures(e.slots[k])) expected.push_back(Turned(t, false, true, true));
      EXPECT_EQ(Pictures(e.slots[(k + 1) % 4]), expected) << "rotate row of " << (e.slots[0] & 0xFFFF);
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
    EXPECT_EQ(doc.flagCount[0] + doc.switchCount, 1);
    EXPECT_FALSE(CheckFlags(doc).Problem());
    EXPECT_FALSE(CheckSpawnsAndPens(doc).Problem());
  }
}

}  // namespace
}  // namespace quarl

#endif  // QUARL_GAME_DIR
