#include "demo_maps.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <utility>

#include "base/scripted_user_interface.h"
#include "history/default_tables.h"
#include "history/piece_geometry.h"
#include "map/map_checks.h"
#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map/tile_tables.h"
#include "native_zlib.h"

namespace quarl::demo {

namespace {

// Places the game objects the way the editor's tools lay them out.
class MapPainter {
 public:
  explicit MapPainter(MapDocument& doc) : doc_(doc) {}

  void Tile(int x, int y, int32_t tile) {
    if (!Inside(x, y)) return;
    doc_.At(x, y).SetValues({tile, -1, -1});
  }
  void Anim(int x, int y, int32_t anim, int32_t data = 0) {
    if (!Inside(x, y)) return;
    doc_.At(x, y).SetValues({-1, anim, data});
  }
  void Piece(int x, int y, const PieceDescriptor& d) {
    const quarl::Piece* p = FindPiece(d);
    if (!p) return;
    if (p->ref & ANIM_FLAG) Anim(x, y, p->ref & 0xFFFF); else Tile(x, y, static_cast<int32_t>(p->ref));
  }

  // Flag (or, with a pole animation in the middle, flag pole) block.
  void FlagBlock(int x, int y, int team, int32_t centre) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) Anim(x + c, y + r, r * 3 + c == 4 ? centre : flagObjects[team][r * 3 + c]);
  }
  void SwitchBlock(int x, int y) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        if (r * 3 + c == 4) Anim(x + c, y + r, switchObject[4]); else Tile(x + c, y + r, switchObject[r * 3 + c]);
      }
  }
  void Spawn(int x, int y, int style, int team) {
    const int32_t* row = spawnObjects[style + team];
    Tile(x + 1, y + 1, row[2]);
    static constexpr int kCross[5][2] = {{0, 1}, {1, 0}, {0, 0}, {1, 2}, {2, 1}};
    static constexpr int kCorners[5][2] = {{0, 0}, {0, 2}, {0, 0}, {2, 0}, {2, 2}};
    const auto& at = style == 8 ? kCorners : kCross;
    for (int e : {0, 1, 3, 4}) Anim(x + at[e][1], y + at[e][0], row[e]);
  }
  void Pen(int x, int y, int w, int h, int kind, int team) {
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        const int32_t v = holdingPens[kind][(c == w / 2 && r == h / 2) ? 1 + team : 0];
        if (kind == 0) Tile(x + c, y + r, v); else Anim(x + c, y + r, v);
      }
  }
  // variant: 0 up, 1 down, 2 left, 3 right (the closed side).
  void Bunker(int x, int y, int w, int h, int variant, int type) {
    const int32_t* b = bunkerTypes[type];
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        const bool top = r == 0, bottom = r == h - 1, first = c == 0, last = c == w - 1;
        int e = -1;
        switch (variant) {
          case 0: e = top ? (first ? 0 : last ? 2 : 1) : bottom ? (first ? 4 : last ? 6 : -1) : (first ? 3 : last ? 5 : -1); break;
          case 1: e = bottom ? (first ? 7 : last ? 9 : 8) : top ? (first ? 11 : last ? 13 : -1) : (first ? 10 : last ? 12 : -1); break;
          case 2: e = top ? (first ? 14 : last ? 18 : 17) : bottom ? (first ? 16 : last ? 20 : 19) : (first ? 15 : -1); break;
          default: e = top ? (first ? 25 : last ? 21 : 24) : bottom ? (first ? 27 : last ? 23 : 26) : (last ? 22 : -1); break;
        }
        if (e >= 0) Tile(x + c, y + r, b[e]);
      }
  }
  void Bridge(int x, int y, int w, int h, bool upDown) {
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        int index;
        if (upDown) {
          const int col = c == 0 ? 0 : c == 1 ? 1 : c == w - 2 ? 3 : c == w - 1 ? 4 : 2;
          const int row = r == 0 ? 0 : r == h - 1 ? 2 : 1;
          index = row * 5 + col;
        } else {
          const int row = r == 0 ? 0 : r == 1 ? 1 : r == h - 2 ? 3 : r == h - 1 ? 4 : 2;
          const int col = c == 0 ? 0 : c == w - 1 ? 2 : 1;
          index = 15 + row * 3 + col;
        }
        Tile(x + c, y + r, bridgeTiles[index]);
      }
  }
  // direction: 0 left, 1 right (two rows high), 2 up, 3 down (two columns wide).
  void Conveyor(int x, int y, int length, int direction) {
    const int32_t* e = conveyorAnims[direction];
    const int w = direction < 2 ? length : 2, h = direction < 2 ? 2 : length;
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        const bool fc = c == 0, lc = c == w - 1;
        int32_t v;
        if (r == 0) v = fc ? e[0] : lc ? e[1] : e[4];
        else if (r == h - 1) v = fc ? e[2] : lc ? e[3] : e[5];
        else v = fc ? e[4] : e[5];
        Anim(x + c, y + r, v);
      }
  }

  // Walls: cells are collected first, then each gets the piece of its set
  // that joins the wall cells around it, as the wall tool leaves them.
  void Wall(int x, int y, int set) { walls_[{x, y}] = set; }
  void WallRun(int x0, int y0, int x1, int y1, int set) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Wall(x, y, set);
  }
  // extra: wall cells outside the painted area that walls should join
  // (the cells a later mirror or turn will fill).
  void JoinWalls(const std::set<std::pair<int, int>>& extra = {}) {
    static constexpr int kEntryOfMask[16] = {-1, 3, 2, 5, 1, 9, 7, 13, 0, 8, 6, 12, 4, 11, 10, 14};
    auto isWall = [&](int x, int y) { return walls_.count({x, y}) || extra.count({x, y}); };
    for (const auto& [cell, set] : walls_) {
      const auto [x, y] = cell;
      const int mask = (isWall(x, y - 1) ? kJoinUp : 0) | (isWall(x, y + 1) ? kJoinDown : 0) |
                       (isWall(x - 1, y) ? kJoinLeft : 0) | (isWall(x + 1, y) ? kJoinRight : 0);
      Tile(x, y, mask == 0 ? SINGLE_WALL_TILE : wallSets[set][kEntryOfMask[mask]]);
    }
  }
  const std::map<std::pair<int, int>, int>& Walls() const { return walls_; }

 private:
  static bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kMapCells && y < kMapCells; }
  MapDocument& doc_;
  std::map<std::pair<int, int>, int> walls_;
};

// The table row holding a cell's tile or animation, and the slot it sits in.
const MirrorRotateEntry* FindRow(const MirrorRotateTable& table, TileRef key, int* slot) {
  for (const auto& entry : table.entries) {
    for (int k = 0; k < 4; ++k) {
      if (entry.slots[k] == key) {
        *slot = k;
        return &entry;
      }
    }
  }
  return nullptr;
}

// Writes `to` as the source cell turned into slot (matched slot op offset),
// or copied unchanged when no row holds it.
void WriteTransformed(const Cell& from, Cell& to, const MirrorRotateTable& table, bool mirror, int step) {
  const bool animated = from.data != -1;
  const TileRef key = animated ? (static_cast<TileRef>(from.anim) | ANIM_FLAG) : static_cast<TileRef>(from.tile);
  int slot = 0;
  const MirrorRotateEntry* row = FindRow(table, key, &slot);
  if (!row) {
    to.SetValues(from.Values());
    return;
  }
  // Mirror rows: slot k's left-right image is slot k xor 2. Rotate rows:
  // slot k turned `step` quarter turns is slot k + step.
  const TileRef image = row->slots[mirror ? (slot ^ step) : ((slot + step) % 4)];
  if (image & ANIM_FLAG) to.SetValues({-1, static_cast<int32_t>(image & 0xFFFF), animated ? from.data : 0});
  else to.SetValues({static_cast<int32_t>(image), -1, -1});
}

void MirrorLeftToRight(MapDocument& doc, const MirrorRotateTables& tables, int x0, int y0, int w, int h) {
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      WriteTransformed(doc.At(x0 + c, y0 + r), doc.At(x0 + 2 * w - 1 - c, y0 + r), tables.mirror, true, 2);
}

void TurnHalfCircle(MapDocument& doc, const MirrorRotateTables& tables, int x0, int y0, int w, int h) {
  // The block (x0, y0, w, h) turned about the centre of the block twice as tall.
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      WriteTransformed(doc.At(x0 + c, y0 + r), doc.At(x0 + w - 1 - c, y0 + 2 * h - 1 - r), tables.rotate, false, 2);
}

// Flag game: Green on the left, Red on the right. Each team has its flag and
// a pole carrying the other team's flag, a spawn point and a holding pen.
std::unique_ptr<MapDocument> BuildFlagMap(const MirrorRotateTables& tables) {
  auto doc = std::make_unique<MapDocument>();
  doc->name = "Twin Forts";
  doc->description = "Demo flag game: the right half is the mirror image of the left half.";
  doc->gameType = 1;
  doc->teamCount = 2;
  MapPainter p(*doc);
  // The left half, one floor cell in from the map's top-left corner: the
  // first screen of a new map window shows Green's fort and flag, and a
  // maximised one at 1920 x 1080 nearly all of the map.
  constexpr int X = 1, Y = 1, W = 32, H = 40;

  // Outer wall and the fort's inner walls; the outer wall's top and bottom
  // rows continue into the mirrored half.
  p.WallRun(X, Y, X + W - 1, Y, 0);
  p.WallRun(X, Y + H - 1, X + W - 1, Y + H - 1, 0);
  p.WallRun(X, Y, X, Y + H - 1, 0);
  p.WallRun(X + 14, Y + 6, X + 14, Y + 15, 8);
  p.WallRun(X + 14, Y + 24, X + 14, Y + 33, 8);
  p.WallRun(X + 1, Y + 6, X + 13, Y + 6, 8);
  p.WallRun(X + 1, Y + 33, X + 13, Y + 33, 8);
  p.WallRun(X + 24, Y + 12, X + 27, Y + 12, 4);
  p.WallRun(X + 24, Y + 27, X + 27, Y + 27, 4);
  std::set<std::pair<int, int>> mirrored;
  for (const auto& [cell, set] : p.Walls()) mirrored.insert({2 * X + 2 * W - 1 - cell.first, cell.second});
  p.JoinWalls(mirrored);

  p.Bridge(X + 17, Y + 16, 5, 8, true);
  p.Bunker(X + 22, Y + 3, 5, 4, 3, 0);
  p.Bunker(X + 22, Y + 33, 5, 4, 3, 0);
  p.Conveyor(X + 3, Y + 36, 11, 1);
  p.Conveyor(X + 29, Y + 14, 11, 3);
  for (int x = X + 16; x < X + W; x += 2) p.Piece(x, Y + 2, Describe(PieceFamily::kLaneMarking, 0, 0, 0, {1, 0, true}));
  p.Piece(X + 24, Y + 19, Describe(PieceFamily::kFloorArrow, 0, 0, 0, {1, 0, false}));
  p.Piece(X + 24, Y + 20, Describe(PieceFamily::kFloorArrow, 0, 0, 0, {1, 0, false}));
  p.Piece(X + 1, Y + 1, Describe(PieceFamily::kCornerTriangle, 0, -2, -2));
  p.Piece(X + 1, Y + H - 2, Describe(PieceFamily::kCornerTriangle, 0, -2, 2));
  // A pipe along the fort wall, joined like walls.
  p.Piece(X + 2, Y + 8, Describe(PieceFamily::kPipe, 0, 0, 0, {}, kJoinDown));
  for (int y = Y + 9; y < Y + 31; ++y) p.Piece(X + 2, y, Describe(PieceFamily::kPipe, 0, 0, 0, {}, kJoinUp | kJoinDown));
  p.Piece(X + 2, Y + 31, Describe(PieceFamily::kPipe, 0, 0, 0, {}, kJoinUp | kJoinRight));
  p.Piece(X + 3, Y + 31, Describe(PieceFamily::kPipe, 0, 0, 0, {}, kJoinLeft));
  for (int i = 0; i < 4; ++i) p.Tile(X + 30, Y + 18 + i, 36 + i);  // popups by the middle line

  MirrorLeftToRight(*doc, tables, X, Y, W, H);

  // The teams' own objects, Green left and Red right, Red's where the
  // mirror put Green's.
  auto mirroredStart = [&](int x, int width) { return 2 * X + 2 * W - 1 - (x + width - 1); };
  p.FlagBlock(X + 5, Y + 9, 0, flagObjects[0][4]);
  p.FlagBlock(mirroredStart(X + 5, 3), Y + 9, 1, flagObjects[1][4]);
  p.FlagBlock(X + 5, Y + 18, 0, GetPoleAnim(0, 1));
  p.FlagBlock(mirroredStart(X + 5, 3), Y + 18, 1, GetPoleAnim(1, 0));
  p.Spawn(X + 5, Y + 27, 0, 0);
  p.Spawn(mirroredStart(X + 5, 3), Y + 27, 0, 1);
  p.Pen(X + 9, Y + 26, 4, 5, 0, 0);
  p.Pen(mirroredStart(X + 9, 4), Y + 26, 4, 5, 0, 1);
  return doc;
}

// Switch game: the switch in the middle; the lower half is the upper half
// turned half a circle, so Red's side is Green's turned round.
std::unique_ptr<MapDocument> BuildSwitchMap(const MirrorRotateTables& tables) {
  auto doc = std::make_unique<MapDocument>();
  doc->name = "Switchback";
  doc->description = "Demo switch game: the lower half is the upper half turned half a circle.";
  doc->gameType = 2;
  doc->teamCount = 2;
  MapPainter p(*doc);
  // The upper half, one floor cell in from the map's top-left corner: the
  // first screen shows Green's spawn point among walls, a bunker and a
  // conveyor, and a maximised window the switch and most of Red's side.
  constexpr int X = 1, Y = 1, W = 48, H = 20;

  p.WallRun(X, Y, X + W - 1, Y, 4);
  p.WallRun(X, Y, X, Y + H - 1, 4);
  p.WallRun(X + W - 1, Y, X + W - 1, Y + H - 1, 4);
  p.WallRun(X + 10, Y + 4, X + 10, Y + 14, 3);
  p.WallRun(X + 11, Y + 4, X + 18, Y + 4, 3);
  p.WallRun(X + 30, Y + 9, X + 40, Y + 9, 11);
  std::set<std::pair<int, int>> turned;
  for (const auto& [cell, set] : p.Walls()) turned.insert({2 * X + W - 1 - cell.first, 2 * Y + 2 * H - 1 - cell.second});
  p.JoinWalls(turned);

  p.Bunker(X + 22, Y + 2, 6, 4, 0, 1);
  p.Bunker(X + 3, Y + 12, 4, 5, 2, 2);
  p.Bridge(X + 33, Y + 2, 8, 5, false);
  p.Conveyor(X + 12, Y + 10, 12, 0);
  p.Conveyor(X + 43, Y + 2, 14, 3);
  for (int x = X + 14; x < X + 20; ++x) p.Piece(x, Y + 7, Describe(PieceFamily::kConduit, 0, 0, 0, {}, kJoinLeft | kJoinRight));
  p.Piece(X + 13, Y + 7, Describe(PieceFamily::kConduit, 0, 0, 0, {}, kJoinRight));
  p.Piece(X + 20, Y + 7, Describe(PieceFamily::kConduit, 0, 0, 0, {}, kJoinLeft | kJoinDown));
  p.Piece(X + 20, Y + 8, Describe(PieceFamily::kConduit, 0, 0, 0, {}, kJoinUp));
  for (int i = 0; i < 3; ++i) p.Piece(X + 24 + i, Y + 15, Describe(PieceFamily::kBoostArrow, 0, 0, 0, {1, 0, false}));
  PieceDescriptor fan = Describe(PieceFamily::kFan);
  fan.spin = 1;  // clockwise
  p.Piece(X + 2, Y + 2, fan);
  for (int x = X + 1; x < X + W - 1; ++x) p.Piece(x, Y + H - 1, Describe(PieceFamily::kHazardStripes, 0, 0, 0, {1, 1, true}));

  TurnHalfCircle(*doc, tables, X, Y, W, H);

  // Red's objects where the turn put Green's: a block at (x, y) of size
  // w x h lands with its top-left cell at turnedX(x, w), turnedY(y, h).
  auto turnedX = [&](int x, int width) { return 2 * X + W - 1 - (x + width - 1); };
  auto turnedY = [&](int y, int height) { return 2 * Y + 2 * H - 1 - (y + height - 1); };
  p.SwitchBlock(X + W / 2 - 1, Y + H - 1);
  p.Spawn(X + 3, Y + 3, 8, 0);
  p.Spawn(turnedX(X + 3, 3), turnedY(Y + 3, 3), 8, 1);
  p.Pen(X + 12, Y + 14, 5, 3, 1, 0);
  p.Pen(turnedX(X + 12, 5), turnedY(Y + 14, 3), 5, 3, 1, 1);
  return doc;
}

}  // namespace

std::vector<DemoMap> BuildDemoMaps() {
  InitTileTables();
  const MirrorRotateTables tables = DefaultMirrorRotateTables();
  std::vector<DemoMap> maps;
  maps.push_back({"twinforts.map", BuildFlagMap(tables)});
  maps.push_back({"switchback.map", BuildSwitchMap(tables)});
  for (auto& m : maps) {
    CountMapObjects(*m.doc);
    m.doc->version = kSavedMapVersion;
  }
  return maps;
}

bool WriteDemoMaps(const std::vector<DemoMap>& maps, const std::string& directory, std::string* error) {
  ScriptedUserInterface ui;
  NativeZlibLibrary zlibLibrary;
  std::unique_ptr<ZlibBinding> zlib = zlibLibrary.Load(directory);
  if (!zlib) {
    *error = "zlib is not available";
    return false;
  }
  for (const DemoMap& m : maps) {
    std::optional<std::vector<uint8_t>> bytes = BuildMapFile(*m.doc, *zlib, ui);
    if (!bytes) {
      *error = "cannot encode " + m.fileName;
      return false;
    }
    const std::string path = (std::filesystem::path(directory) / m.fileName).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
      *error = "cannot create " + path;
      return false;
    }
    const bool ok = std::fwrite(bytes->data(), 1, bytes->size(), f) == bytes->size();
    if (std::fclose(f) != 0 || !ok) {
      *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace quarl::demo
