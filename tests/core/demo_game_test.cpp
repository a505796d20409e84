// Checks of the generated demo game (tiles.bmp and anims.dat in the game
// directory): the file formats, and that the art really shows what the
// mirror and rotate tables claim, pixel for pixel.
#ifdef QUARL_GAME_DIR

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <zlib.h>

#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "history/piece_geometry.h"
#include "map/map_checks.h"
#include "map/map_file_format.h"
#include "map/map_document.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

using Tile = std::array<uint8_t, 256>;  // palette indices, row by row from the top

Tile FlipTopBottom(const Tile& t) {
  Tile o{};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) o[(15 - y) * 16 + x] = t[y * 16 + x];
  return o;
}
Tile FlipLeftRight(const Tile& t) {
  Tile o{};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) o[y * 16 + (15 - x)] = t[y * 16 + x];
  return o;
}
Tile TurnClockwise(const Tile& t) {
  // The top row becomes the right column, read top to bottom.
  Tile o{};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) o[x * 16 + (15 - y)] = t[y * 16 + x];
  return o;
}

struct Game {
  std::vector<uint8_t> bmp;
  std::vector<uint8_t> anims;
  uint32_t pixelOffset = 0;

  uint8_t Pixel(int x, int y) const {  // rows are stored bottom-up
    return bmp[pixelOffset + static_cast<size_t>(1599 - y) * 640 + x];
  }
  Tile TileAt(int n) const {
    Tile t{};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) t[y * 16 + x] = Pixel((n % 40) * 16 + x, (n / 40) * 16 + y);
    return t;
  }
  std::vector<int> Frames(int id) const {
    std::vector<int> frames;
    const size_t at = static_cast<size_t>(id) * 66;
    if (at + 66 > anims.size()) return frames;
    for (int i = 0; i < anims[at] && i < 32; ++i) {
      const int slot = Le16(anims, at + 2 + 2 * i) & 0x7FFF;
      if (slot == 0) break;
      frames.push_back(slot);
    }
    return frames;
  }
  // The pictures of a tile (one) or an animation (one per frame).
  std::vector<Tile> Pictures(TileRef ref) const {
    if (!(ref & ANIM_FLAG)) return {TileAt(static_cast<int>(ref))};
    std::vector<Tile> out;
    for (int f : Frames(ref & 0xFFFF)) out.push_back(TileAt(f));
    return out;
  }
};

class DemoGameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    game_ = new Game;
    game_->bmp = ReadBytes(std::string(QUARL_GAME_DIR) + "/tiles.bmp");
    game_->anims = ReadBytes(std::string(QUARL_GAME_DIR) + "/anims.dat");
    if (game_->bmp.size() > 14) game_->pixelOffset = Le32(game_->bmp, 10);
    InitTileTables();
  }
  static void TearDownTestSuite() { delete game_; }
  void SetUp() override {
    ASSERT_EQ(game_->bmp.size(), 54u + 1024u + 640u * 1600u) << "tiles.bmp missing or wrong size";
    ASSERT_EQ(game_->anims.size() % 66, 0u);
  }
  static Game* game_;
};
Game* DemoGameTest::game_ = nullptr;

TEST_F(DemoGameTest, SheetHeaderIsAPlainEightBitBitmap) {
  const auto& b = game_->bmp;
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Le32(b, 2), b.size());
  EXPECT_EQ(Le32(b, 10), 54u + 1024u);  // the colour table follows the 54 header bytes
  EXPECT_EQ(Le32(b, 14), 40u);
  EXPECT_EQ(Le32(b, 18), 640u);
  EXPECT_EQ(Le32(b, 22), 1600u);  // positive: bottom-up rows
  EXPECT_EQ(Le16(b, 26), 1);
  EXPECT_EQ(Le16(b, 28), 8);
  EXPECT_EQ(Le32(b, 30), 0u);
  EXPECT_EQ(Le32(b, 46), 256u);
}

// ImageMagick decodes the file on its own; its colours must be ours.
TEST_F(DemoGameTest, ImageMagickSeesTheSamePixels) {
  const std::string cmd = "convert '" + std::string(QUARL_GAME_DIR) + "/tiles.bmp' -depth 8 rgb:- 2>/dev/null";
  std::FILE* pipe = popen(cmd.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<uint8_t> rgb;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) rgb.insert(rgb.end(), buf, buf + n);
  ASSERT_EQ(pclose(pipe), 0) << "convert failed";
  ASSERT_EQ(rgb.size(), 640u * 1600u * 3u);
  int mismatches = 0;
  for (int y = 0; y < 1600; ++y) {
    for (int x = 0; x < 640; ++x) {
      const uint8_t idx = game_->Pixel(x, y);
      const size_t pal = 54 + 4 * idx, at = (static_cast<size_t>(y) * 640 + x) * 3;
      if (rgb[at] != game_->bmp[pal + 2] || rgb[at + 1] != game_->bmp[pal + 1] || rgb[at + 2] != game_->bmp[pal]) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(DemoGameTest, EveryTableAnimationExistsAndAnimates) {
  std::set<int> ids;
  for (const auto& row : conveyorAnims) ids.insert(std::begin(row), std::end(row));
  for (const auto& row : flagObjects) ids.insert(std::begin(row), std::end(row));
  ids.insert(switchObject[4]);
  ids.insert(std::begin(holdingPens[1]), std::end(holdingPens[1]));
  for (int r = 0; r < 12; ++r)
    for (int e : {0, 1, 3, 4}) ids.insert(spawnObjects[r][e]);
  for (int r = 12; r < 16; ++r) ids.insert(spawnObjects[r][0]);
  for (int pole : {25, 26, 27, 128, 32, 34, 35, 129, 40, 41, 43, 130, 58, 59, 60, 131}) ids.insert(pole);
  EXPECT_GE(game_->anims.size() / 66, 246u);
  for (int id : ids) {
    const auto frames = game_->Frames(id);
    ASSERT_GE(frames.size(), 2u) << "animation " << id;
    EXPECT_LE(frames.size(), 8u);
    std::set<Tile> pictures;
    for (int f : frames) pictures.insert(game_->TileAt(f));
    EXPECT_GE(pictures.size(), 2u) << "animation " << id << " shows one picture only";
  }
}

TEST_F(DemoGameTest, EveryTableTileHasArt) {
  std::set<int> tiles{SINGLE_WALL_TILE, BLANK_TILE, 36, 37, 38, 39, 76, 77, 78, 79};
  for (const auto& set : wallSets) tiles.insert(std::begin(set), std::end(set));
  for (int c = 0; c < 9; ++c) if (c != 4) tiles.insert(switchObject[c]);
  tiles.insert(std::begin(holdingPens[0]), std::end(holdingPens[0]));
  for (int r = 0; r < 12; ++r) tiles.insert(spawnObjects[r][2]);
  for (const auto& type : bunkerTypes) tiles.insert(std::begin(type), std::begin(type) + kBunkerPiecesUsed);
  tiles.insert(std::begin(bridgeTiles), std::end(bridgeTiles));
  const Tile empty{};
  for (int t : tiles) EXPECT_NE(game_->TileAt(t), empty) << "tile " << t << " is blank";
  // The team markers of the pens are told apart by colour.
  std::set<Tile> markers;
  for (int t = 1; t <= 4; ++t) markers.insert(game_->TileAt(holdingPens[0][t]));
  EXPECT_EQ(markers.size(), 4u);
}

// Frames live in tiles of their own: none may paint over a table piece,
// a decoration piece or another animation's frame.
TEST_F(DemoGameTest, FrameTilesDoNotOverlapPieces) {
  std::set<int> pieces{SINGLE_WALL_TILE, BLANK_TILE};
  for (const auto& set : wallSets) pieces.insert(std::begin(set), std::end(set));
  for (const auto& type : bunkerTypes) pieces.insert(std::begin(type), std::begin(type) + kBunkerPiecesUsed);
  pieces.insert(std::begin(bridgeTiles), std::end(bridgeTiles));
  pieces.insert(std::begin(holdingPens[0]), std::end(holdingPens[0]));
  for (const Piece& p : PieceCatalogue())
    if (!(p.ref & ANIM_FLAG)) pieces.insert(static_cast<int>(p.ref));
  std::set<int> frames;
  for (size_t id = 0; id < game_->anims.size() / 66; ++id) {
    for (int f : game_->Frames(static_cast<int>(id))) {
      EXPECT_EQ(pieces.count(f), 0u) << "animation " << id << " frame tile " << f;
      EXPECT_TRUE(frames.insert(f).second) << "frame tile " << f << " shared";
      EXPECT_LT(f, 4000);
    }
  }
}

// For each row: slot 0 flipped top to bottom is slot 1, left to right slot 2,
// both ways slot 3; frame by frame for animations.
TEST_F(DemoGameTest, MirrorRowsShowMirroredPictures) {
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  int checked = 0;
  for (size_t i = 0; i < tables.mirror.entries.size(); ++i) {
    const auto& s = tables.mirror.entries[i].slots;
    const auto p0 = game_->Pictures(s[0]);
    ASSERT_FALSE(p0.empty()) << "row " << i;
    for (int k = 1; k < 4; ++k) ASSERT_EQ(game_->Pictures(s[k]).size(), p0.size()) << "row " << i << " slot " << k;
    for (size_t f = 0; f < p0.size(); ++f) {
      EXPECT_EQ(FlipTopBottom(p0[f]), game_->Pictures(s[1])[f]) << "row " << i << " frame " << f;
      EXPECT_EQ(FlipLeftRight(p0[f]), game_->Pictures(s[2])[f]) << "row " << i << " frame " << f;
      EXPECT_EQ(FlipLeftRight(FlipTopBottom(p0[f])), game_->Pictures(s[3])[f]) << "row " << i << " frame " << f;
      ++checked;
    }
  }
  EXPECT_GT(checked, 170);
}

TEST_F(DemoGameTest, RotateRowsShowQuarterTurns) {
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  for (size_t i = 0; i < tables.rotate.entries.size(); ++i) {
    const auto& s = tables.rotate.entries[i].slots;
    for (int k = 0; k < 4; ++k) {
      const auto from = game_->Pictures(s[k]);
      const auto to = game_->Pictures(s[(k + 1) % 4]);
      ASSERT_FALSE(from.empty());
      ASSERT_EQ(from.size(), to.size()) << "row " << i;
      for (size_t f = 0; f < from.size(); ++f) EXPECT_EQ(TurnClockwise(from[f]), to[f]) << "row " << i << " slot " << k << " frame " << f;
    }
    // The pictures really differ: a row that turns nothing would be pointless.
    EXPECT_NE(game_->Pictures(s[0])[0], game_->Pictures(s[1])[0]) << "row " << i;
  }
}

// Wall pieces that join meet along the whole shared edge, and a joined side
// looks different from a closed one.
TEST_F(DemoGameTest, WallJoinsMeetAtTileEdges) {
  const uint8_t masks[15] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};
  auto column = [](const Tile& t, int x) { std::array<uint8_t, 16> c{}; for (int y = 0; y < 16; ++y) c[y] = t[y * 16 + x]; return c; };
  auto row = [](const Tile& t, int y) { std::array<uint8_t, 16> r{}; for (int x = 0; x < 16; ++x) r[x] = t[y * 16 + x]; return r; };
  for (int set = 0; set < wallSetCount; ++set) {
    for (int a = 0; a < 15; ++a) {
      const Tile ta = game_->TileAt(wallSets[set][a]);
      for (int b = 0; b < 15; ++b) {
        const Tile tb = game_->TileAt(wallSets[set][b]);
        if ((masks[a] & 8) && (masks[b] & 4)) {
          EXPECT_EQ(column(ta, 15), column(tb, 0)) << "set " << set;
        }
        if ((masks[a] & 2) && (masks[b] & 1)) {
          EXPECT_EQ(row(ta, 15), row(tb, 0)) << "set " << set;
        }
        if ((masks[a] & 8) && !(masks[b] & 8)) {
          EXPECT_NE(column(ta, 15), column(tb, 15)) << "set " << set;
        }
      }
    }
  }
}

// The shipped mrdata.dat holds the built-in tables, so that the first start
// finds it and loads what it would have used anyway.
TEST(DemoGameTables, ShippedMrdataHoldsTheBuiltInTables) {
  const std::string path = std::string(QUARL_GAME_DIR) + "/mrdata.dat";
  const auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 2u + 170 * 16 + 2u + 158 * 16);
  EXPECT_EQ(Le16(bytes, 0), 170 * 16);
  EXPECT_EQ(Le16(bytes, 2 + 170 * 16), 158 * 16);
  // Mirror row 0 is 8, 10, 8, 10; the last mirror row names animations.
  EXPECT_EQ(Le32(bytes, 2), 8u);
  EXPECT_EQ(Le32(bytes, 6), 10u);
  EXPECT_EQ(Le32(bytes, 2 + 169 * 16) >> 16, 1u);
  MirrorRotateTables tables;
  ASSERT_EQ(ReadMrdataFile(path, tables), MrdataStatus::Loaded);
  EXPECT_EQ(tables, DefaultMirrorRotateTables());
}

// ---------------------------------------------------------------- demo maps

Tile Turn(const Tile& t, int quarters) {
  Tile o = t;
  for (int i = 0; i < quarters; ++i) o = TurnClockwise(o);
  return o;
}

class DemoMapTest : public DemoGameTest {
 protected:
  // Reads a demo map with the map file reader, inflating the cells with zlib.
  std::unique_ptr<MapDocument> Load(const std::string& name) {
    const auto file = ReadBytes(std::string(QUARL_GAME_DIR) + "/" + name);
    auto doc = std::make_unique<MapDocument>();
    if (file.size() < 8) return nullptr;
    const MapFilePrelude prelude = ReadMapPrelude(file, *doc);
    if (ReadMapHeader(file, prelude, *doc) != HeaderStatus::Ok) return nullptr;
    const size_t at = CellBlockOffset(prelude);
    if (at > file.size()) return nullptr;
    std::vector<uint8_t> cells(kCellBlockBytes);
    uLongf length = cells.size();
    if (uncompress(cells.data(), &length, file.data() + at, file.size() - at) != Z_OK || length != cells.size()) return nullptr;
    DecodeCells(cells, doc->cells);
    return doc;
  }

  std::vector<Tile> CellPictures(const Cell& cell) const {
    return cell.data != -1 ? game_->Pictures(static_cast<TileRef>(cell.anim) | ANIM_FLAG)
                           : game_->Pictures(static_cast<TileRef>(cell.tile));
  }

  // Cells of the teams' own objects, which differ between the two halves.
  static bool IsTeamObject(const Cell& c) {
    if (c.data == -1) {
      for (const auto& row : spawnObjects) if (row[2] == c.tile) return true;
      for (int32_t t : holdingPens[0]) if (t == c.tile) return true;
      for (int32_t t : switchObject) if (t == c.tile) return true;
      return false;
    }
    for (const auto& team : flagObjects) for (int32_t a : team) if (a == c.anim) return true;
    for (const auto& row : spawnObjects) for (int32_t a : row) if (a == c.anim) return true;
    for (int32_t a : holdingPens[1]) if (a == c.anim) return true;
    return c.anim == switchObject[4] || PoleFlagColour(c.anim) != 4 || (c.anim >= 128 && c.anim <= 131);
  }

  // The join sides (1 up, 2 down, 4 left, 8 right) of each wall piece.
  static const std::map<int32_t, int>& WallMasks() {
    static const std::map<int32_t, int> maskOf = [] {
      const uint8_t masks[15] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};
      std::map<int32_t, int> m{{SINGLE_WALL_TILE, 0}};
      for (const auto& set : wallSets) for (int e = 0; e < 15; ++e) m[set[e]] = masks[e];
      return m;
    }();
    return maskOf;
  }

  // Every wall piece joins exactly its wall neighbours, as the wall tool leaves it.
  static int CheckWallJoins(const MapDocument& doc) {
    const std::map<int32_t, int>& maskOf = WallMasks();
    auto isWall = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < 256 && y < 256 && doc.At(x, y).data == -1 && maskOf.count(doc.At(x, y).tile);
    };
    int walls = 0;
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        if (!isWall(x, y)) continue;
        ++walls;
        const int expected = (isWall(x, y - 1) ? 1 : 0) | (isWall(x, y + 1) ? 2 : 0) | (isWall(x - 1, y) ? 4 : 0) | (isWall(x + 1, y) ? 8 : 0);
        EXPECT_EQ(maskOf.at(doc.At(x, y).tile), expected) << "wall at " << x << "," << y;
      }
    return walls;
  }

  // What a map window shows before any scrolling, columns x rows cells from
  // the top-left corner: walls, a team's own objects (a flag, a spawn point)
  // and other game objects, not bare floor.
  static void ExpectFirstScreenShowsTheGame(const MapDocument& doc, int columns, int rows) {
    int walls = 0, teamCells = 0, otherObjects = 0;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x) {
        const Cell& c = doc.At(x, y);
        if (c.data == -1 && WallMasks().count(c.tile)) ++walls;
        else if (IsTeamObject(c)) ++teamCells;
        else if (c.data != -1 || c.tile != BLANK_TILE) ++otherObjects;
      }
    EXPECT_GE(walls, 10) << columns << " x " << rows;
    EXPECT_GE(teamCells, 5) << columns << " x " << rows;
    EXPECT_GE(otherObjects, 5) << columns << " x " << rows;
  }
};

// A new map window (300 x 300) shows 17 x 14 whole cells, a maximised one at
// 1920 x 1080 about 60 x 35.
constexpr int kNewWindowColumns = 17, kNewWindowRows = 14;
constexpr int kMaximisedColumns = 60, kMaximisedRows = 35;

TEST_F(DemoMapTest, FlagMapPassesTheChecksAndIsMirrored) {
  auto doc = Load("twinforts.map");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->name, "Twin Forts");
  EXPECT_EQ(doc->gameType, 1);
  EXPECT_EQ(doc->teamCount, 2);
  CountMapObjects(*doc);
  EXPECT_EQ(doc->flagCount[0], 1);
  EXPECT_EQ(doc->flagCount[1], 1);
  EXPECT_EQ(doc->poleCount[0], 2);
  EXPECT_FALSE(CheckFlags(*doc).Problem());
  EXPECT_FALSE(CheckSpawnsAndPens(*doc).Problem());
  EXPECT_GT(CheckWallJoins(*doc), 100);
  ExpectFirstScreenShowsTheGame(*doc, kNewWindowColumns, kNewWindowRows);
  ExpectFirstScreenShowsTheGame(*doc, kMaximisedColumns, kMaximisedRows);
  // The right half (columns 33 to 64) shows the left half's (1 to 32)
  // pictures flipped left to right.
  int compared = 0;
  for (int y = 1; y <= 40; ++y)
    for (int x = 1; x <= 32; ++x) {
      const Cell& from = doc->At(x, y);
      const Cell& to = doc->At(65 - x, y);
      if (IsTeamObject(from) || IsTeamObject(to)) continue;
      const auto a = CellPictures(from), b = CellPictures(to);
      ASSERT_EQ(a.size(), b.size()) << x << "," << y;
      for (size_t f = 0; f < a.size(); ++f) EXPECT_EQ(FlipLeftRight(a[f]), b[f]) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 1100);
}

TEST_F(DemoMapTest, SwitchMapPassesTheChecksAndIsTurned) {
  auto doc = Load("switchback.map");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->gameType, 2);
  CountMapObjects(*doc);
  EXPECT_EQ(doc->switchCount, 1);
  EXPECT_FALSE(CheckFlags(*doc).Problem());
  EXPECT_FALSE(CheckSpawnsAndPens(*doc).Problem());
  EXPECT_GT(CheckWallJoins(*doc), 100);
  ExpectFirstScreenShowsTheGame(*doc, kNewWindowColumns, kNewWindowRows);
  ExpectFirstScreenShowsTheGame(*doc, kMaximisedColumns, kMaximisedRows);
  // The lower half (rows 21 to 40) is the upper half (1 to 20, columns 1 to
  // 48) turned half a circle.
  int compared = 0;
  for (int y = 1; y <= 20; ++y)
    for (int x = 1; x <= 48; ++x) {
      const Cell& from = doc->At(x, y);
      const Cell& to = doc->At(49 - x, 41 - y);
      if (IsTeamObject(from) || IsTeamObject(to)) continue;
      const auto a = CellPictures(from), b = CellPictures(to);
      ASSERT_EQ(a.size(), b.size()) << x << "," << y;
      for (size_t f = 0; f < a.size(); ++f) EXPECT_EQ(Turn(a[f], 2), b[f]) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 900);
}

}  // namespace
}  // namespace quarl

#endif  // QUARL_GAME_DIR
