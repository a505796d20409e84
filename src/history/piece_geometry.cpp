#include "history/piece_geometry.h"

#include "map/tile_tables.h"

namespace quarl {

const SquareTransform kSquareTransforms[8] = {
    kIdentity, kRotate90, kRotate180, kRotate270,
    kFlipVertical, kFlipHorizontal, kTranspose, kAntiTranspose};

SquareTransform Compose(SquareTransform o, SquareTransform i) {
  return {static_cast<int8_t>(o.a * i.a + o.b * i.c), static_cast<int8_t>(o.a * i.b + o.b * i.d),
          static_cast<int8_t>(o.c * i.a + o.d * i.c), static_cast<int8_t>(o.c * i.b + o.d * i.d)};
}

SquareTransform Inverse(SquareTransform t) {
  // Signed permutation matrices are orthogonal: the inverse is the transpose.
  return {t.a, t.c, t.b, t.d};
}

namespace {

struct Vec {
  int x, y;
};

Vec Apply(SquareTransform t, Vec v) { return {t.a * v.x + t.b * v.y, t.c * v.x + t.d * v.y}; }

constexpr Vec kJoinVectors[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};  // up, down, left, right

uint8_t MaskBit(Vec v) {
  for (int bit = 0; bit < 4; ++bit) {
    if (kJoinVectors[bit].x == v.x && kJoinVectors[bit].y == v.y) return static_cast<uint8_t>(1 << bit);
  }
  return 0;
}

uint8_t TransformMask(uint8_t mask, SquareTransform t) {
  uint8_t out = 0;
  for (int bit = 0; bit < 4; ++bit) {
    if (mask & (1 << bit)) out |= MaskBit(Apply(t, kJoinVectors[bit]));
  }
  return out;
}

Heading TransformHeading(Heading h, SquareTransform t) {
  Vec v = Apply(t, {h.dx, h.dy});
  if (h.axis && (v.x < 0 || (v.x == 0 && v.y < 0))) v = {-v.x, -v.y};
  return {static_cast<int8_t>(v.x), static_cast<int8_t>(v.y), h.axis};
}

}  // namespace

PieceDescriptor Describe(PieceFamily family, int variant, int xc, int yc, Heading heading, uint8_t mask) {
  PieceDescriptor d;
  d.family = family;
  d.variant = static_cast<int8_t>(variant);
  d.xc = static_cast<int8_t>(xc);
  d.yc = static_cast<int8_t>(yc);
  d.heading = heading;
  d.mask = mask;
  return d;
}

PieceDescriptor TransformDescriptor(const PieceDescriptor& d, SquareTransform t) {
  PieceDescriptor out = d;
  Vec p = Apply(t, {d.xc, d.yc});
  out.xc = static_cast<int8_t>(p.x);
  out.yc = static_cast<int8_t>(p.y);
  out.mask = TransformMask(d.mask, t);
  out.heading = TransformHeading(d.heading, t);
  const int determinant = t.a * t.d - t.b * t.c;  // -1 for a reflection
  out.spin = static_cast<int8_t>(d.spin * determinant);
  return out;
}

namespace {

constexpr Heading kUp{0, -1, false}, kRight{1, 0, false}, kDown{0, 1, false}, kLeft{-1, 0, false};
constexpr Heading kAxisH{1, 0, true}, kAxisV{0, 1, true};
constexpr Heading kAxisBackslash{1, 1, true}, kAxisSlash{1, -1, true};

// Join mask of each wall set entry, in entry order (the wall tool's join table).
constexpr uint8_t kWallEntryMasks[kWallSetPieces] = {8, 4, 2, 1, 12, 3, 10, 6, 9, 5, 14, 13, 11, 7, 15};

// Decoration slots: free tiles of the sheet and free animation ids.
//
// The demo sheet's decoration families, with the rows each adds to the
// mirror table (M) and the rotate table (R):
//   pipes joined like walls          5 M, 4 R  (straight pieces on tiles 4 and 5)
//   floor arrows                      2 M, 1 R
//   diagonal lines, hazard stripes    1 M, 1 R each
//   corner triangles, quarter circles,
//   corner shadows, corner marks      1 M, 1 R each
//   doors (one per wall set), lane markings (one per team colour), fences,
//   planks, grates, rails: pieces that run left-right or up-down and look the
//   same mirrored either way           0 M, 1 R each (31 in all)
//   animated: energy conduit joined like walls 5 M, 4 R; boost arrows of
//   teams 0..3 2 M, 1 R each; corner lights 1 M, 1 R; a clockwise and an
//   anticlockwise fan 1 M, 0 R.
// With the objects' own pieces they fill the tables to 110 + 60 mirror rows
// and 121 + 37 rotate rows (tiles + animations).
constexpr int32_t kPipeTiles[kWallSetPieces] = {880, 881, 882, 883, kPipeStraightHorizontal,
                                                kPipeStraightVertical, 884, 885, 886, 887,
                                                888, 889, 890, 891, 892};
constexpr int32_t kFloorArrowTiles[4] = {920, 921, 922, 923};  // up, right, down, left
constexpr int32_t kDiagonalLineTiles[2] = {924, 925};          // \ and /
constexpr int32_t kHazardStripeTiles[2] = {926, 927};
constexpr int32_t kCornerTriangleFirst = 928;  // four each: top left, top right, bottom left, bottom right
constexpr int32_t kQuarterCircleFirst = 932;
constexpr int32_t kCornerShadowFirst = 936;
constexpr int32_t kCornerMarkFirst = 940;
constexpr int32_t kStraightPairsFirst = 960;  // horizontal piece, then vertical piece
constexpr int32_t kConduitAnims[kWallSetPieces] = {189, 190, 191, 192, 193, 194, 195, 196,
                                                   197, 198, 199, 200, 201, 202, 203};
constexpr int32_t kCornerLightAnims[4] = {204, 205, 206, 207};
constexpr int32_t kFanAnims[2] = {208, 209};  // clockwise, anticlockwise
constexpr int32_t kBoostArrowAnims[4][4] = {  // per team: up, right, down, left
    {111, 112, 113, 114}, {115, 116, 117, 118}, {119, 120, 121, 122}, {124, 125, 126, 127}};

constexpr Heading kArrows[4] = {kUp, kRight, kDown, kLeft};
constexpr int8_t kCorners[4][2] = {{-2, -2}, {2, -2}, {-2, 2}, {2, 2}};

class CatalogueBuilder {
 public:
  std::vector<Piece> pieces;

  void Tile(int32_t tile, PieceDescriptor d) { pieces.push_back({static_cast<TileRef>(tile), d}); }
  void Anim(int32_t id, PieceDescriptor d) { pieces.push_back({static_cast<TileRef>(id) | ANIM_FLAG, d}); }

  static PieceDescriptor At(PieceFamily f, int variant, int xc, int yc, Heading h = {}) {
    return Describe(f, variant, xc, yc, h);
  }
  static PieceDescriptor Joined(PieceFamily f, int variant, uint8_t mask) { return Describe(f, variant, 0, 0, {}, mask); }
};

void AddWalls(CatalogueBuilder& b) {
  for (int set = 0; set < wallSetCount; ++set) {
    for (int e = 0; e < kWallSetPieces; ++e) {
      b.Tile(wallSets[set][e], CatalogueBuilder::Joined(PieceFamily::kWall, set, kWallEntryMasks[e]));
    }
  }
  // The single wall belongs to no set; it is drawn in set 0's style.
  b.Tile(SINGLE_WALL_TILE, CatalogueBuilder::Joined(PieceFamily::kWall, 0, 0));
}

void AddBridges(CatalogueBuilder& b) {
  // Up/down bridge: five column classes by three row classes, planks laid
  // across the way over it. Left/right bridge: its transpose.
  constexpr int kFive[5] = {-2, -1, 0, 1, 2};
  constexpr int kThree[3] = {-2, 0, 2};
  for (int i = 0; i < 15; ++i) {
    b.Tile(bridgeTiles[i], CatalogueBuilder::At(PieceFamily::kBridge, 0, kFive[i % 5], kThree[i / 5], kAxisV));
    b.Tile(bridgeTiles[15 + i],
           CatalogueBuilder::At(PieceFamily::kBridge, 0, kThree[i % 3], kFive[i / 3], kAxisH));
  }
}

void AddBunkers(CatalogueBuilder& b) {
  // A bunker is a U of wall open on one side; its heading names the closed
  // side. Entry, position: up bunker first, then down, left, right.
  struct Slot {
    int entry, xc, yc;
    Heading closed;
  };
  static constexpr Slot kSlots[kBunkerPiecesUsed] = {
      {0, -2, -2, kUp},    {1, 0, -2, kUp},     {2, 2, -2, kUp},     {3, -2, 0, kUp},
      {5, 2, 0, kUp},      {4, -2, 2, kUp},     {6, 2, 2, kUp},      {7, -2, 2, kDown},
      {8, 0, 2, kDown},    {9, 2, 2, kDown},    {10, -2, 0, kDown},  {12, 2, 0, kDown},
      {11, -2, -2, kDown}, {13, 2, -2, kDown},  {14, -2, -2, kLeft}, {17, 0, -2, kLeft},
      {18, 2, -2, kLeft},  {15, -2, 0, kLeft},  {16, -2, 2, kLeft},  {19, 0, 2, kLeft},
      {20, 2, 2, kLeft},   {25, -2, -2, kRight}, {24, 0, -2, kRight}, {21, 2, -2, kRight},
      {22, 2, 0, kRight},  {27, -2, 2, kRight}, {26, 0, 2, kRight},  {23, 2, 2, kRight}};
  for (int type = 0; type < bunkerTypeCount; ++type) {
    for (const Slot& s : kSlots) {
      b.Tile(bunkerTypes[type][s.entry], CatalogueBuilder::At(PieceFamily::kBunker, type, s.xc, s.yc, s.closed));
    }
  }
}

void AddBlockFrame(CatalogueBuilder& b, const int32_t* block, PieceFamily family, int variant, bool anims) {
  for (int cell = 0; cell < kObjectBlockCells; ++cell) {
    if (cell == 4) continue;  // the centre is the switch or the flag itself
    PieceDescriptor d = CatalogueBuilder::At(family, variant, (cell % 3 - 1) * 2, (cell / 3 - 1) * 2);
    if (anims) b.Anim(block[cell], d); else b.Tile(block[cell], d);
  }
}

void AddDecorationTiles(CatalogueBuilder& b) {
  for (int e = 0; e < kWallSetPieces; ++e) {
    b.Tile(kPipeTiles[e], CatalogueBuilder::Joined(PieceFamily::kPipe, 0, kWallEntryMasks[e]));
  }
  for (int i = 0; i < 4; ++i) b.Tile(kFloorArrowTiles[i], CatalogueBuilder::At(PieceFamily::kFloorArrow, 0, 0, 0, kArrows[i]));
  b.Tile(kDiagonalLineTiles[0], CatalogueBuilder::At(PieceFamily::kDiagonalLine, 0, 0, 0, kAxisBackslash));
  b.Tile(kDiagonalLineTiles[1], CatalogueBuilder::At(PieceFamily::kDiagonalLine, 0, 0, 0, kAxisSlash));
  b.Tile(kHazardStripeTiles[0], CatalogueBuilder::At(PieceFamily::kHazardStripes, 0, 0, 0, kAxisBackslash));
  b.Tile(kHazardStripeTiles[1], CatalogueBuilder::At(PieceFamily::kHazardStripes, 0, 0, 0, kAxisSlash));
  const struct {
    PieceFamily family;
    int32_t first;
  } corners[] = {{PieceFamily::kCornerTriangle, kCornerTriangleFirst},
                 {PieceFamily::kQuarterCircle, kQuarterCircleFirst},
                 {PieceFamily::kCornerShadow, kCornerShadowFirst},
                 {PieceFamily::kCornerMark, kCornerMarkFirst}};
  for (const auto& c : corners) {
    for (int i = 0; i < 4; ++i) b.Tile(c.first + i, CatalogueBuilder::At(c.family, 0, kCorners[i][0], kCorners[i][1]));
  }
  const struct {
    PieceFamily family;
    int variants;
  } pairs[] = {{PieceFamily::kDoor, kDoorVariants},   {PieceFamily::kLaneMarking, kLaneVariants},
               {PieceFamily::kFence, kFenceVariants}, {PieceFamily::kPlanks, kPlankVariants},
               {PieceFamily::kGrate, kGrateVariants}, {PieceFamily::kRail, kRailVariants}};
  int32_t tile = kStraightPairsFirst;
  for (const auto& p : pairs) {
    for (int v = 0; v < p.variants; ++v) {
      b.Tile(tile++, CatalogueBuilder::At(p.family, v, 0, 0, kAxisH));
      b.Tile(tile++, CatalogueBuilder::At(p.family, v, 0, 0, kAxisV));
    }
  }
}

void AddConveyors(CatalogueBuilder& b) {
  // Left/right belts are two rows high, up/down belts two columns wide.
  // Entries 0..3 are the band's corners, 4 and 5 the first and last line's
  // middle pieces.
  constexpr Heading kMoves[kConveyorDirections] = {kLeft, kRight, kUp, kDown};
  for (int dir = 0; dir < kConveyorDirections; ++dir) {
    const bool across = dir < 2;
    const int positions[kConveyorPieces][2] = {
        {-2, -2}, {2, -2}, {-2, 2}, {2, 2}, {across ? 0 : -2, across ? -2 : 0}, {across ? 0 : 2, across ? 2 : 0}};
    for (int e = 0; e < kConveyorPieces; ++e) {
      b.Anim(conveyorAnims[dir][e],
             CatalogueBuilder::At(PieceFamily::kConveyor, 0, positions[e][0], positions[e][1], kMoves[dir]));
    }
  }
}

void AddSpawns(CatalogueBuilder& b) {
  for (int style : {0, 4}) {
    for (int team = 0; team < 4; ++team) {
      const int32_t* row = spawnObjects[style + team];
      const int variant = style + team;
      b.Anim(row[0], CatalogueBuilder::At(PieceFamily::kSpawnArm, variant, 0, -2));
      b.Anim(row[1], CatalogueBuilder::At(PieceFamily::kSpawnArm, variant, -2, 0));
      b.Anim(row[3], CatalogueBuilder::At(PieceFamily::kSpawnArm, variant, 2, 0));
      b.Anim(row[4], CatalogueBuilder::At(PieceFamily::kSpawnArm, variant, 0, 2));
    }
  }
  // Corner spawns show arrows, not corner-shaped art: the bottom-left piece
  // is symmetric top to bottom and the top-left one is its left-right mirror.
  for (int team = 0; team < 4; ++team) {
    const int32_t* row = spawnObjects[8 + team];
    b.Anim(row[0], CatalogueBuilder::At(PieceFamily::kCornerSpawn, team, 0, 0, kLeft));
    b.Anim(row[1], CatalogueBuilder::At(PieceFamily::kCornerSpawn, team, 0, 0, kUp));
    b.Anim(row[3], CatalogueBuilder::At(PieceFamily::kCornerSpawn, team, 0, 0, kRight));
    b.Anim(row[4], CatalogueBuilder::At(PieceFamily::kCornerSpawn, team, 0, 0, kDown));
  }
}

void AddDecorationAnims(CatalogueBuilder& b) {
  for (int e = 0; e < kWallSetPieces; ++e) {
    b.Anim(kConduitAnims[e], CatalogueBuilder::Joined(PieceFamily::kConduit, 0, kWallEntryMasks[e]));
  }
  for (int team = 0; team < 4; ++team) {
    for (int i = 0; i < 4; ++i) {
      b.Anim(kBoostArrowAnims[team][i], CatalogueBuilder::At(PieceFamily::kBoostArrow, team, 0, 0, kArrows[i]));
    }
  }
  for (int i = 0; i < 4; ++i) {
    b.Anim(kCornerLightAnims[i], CatalogueBuilder::At(PieceFamily::kCornerLight, 0, kCorners[i][0], kCorners[i][1]));
  }
  for (int i = 0; i < 2; ++i) {
    PieceDescriptor d = CatalogueBuilder::At(PieceFamily::kFan, 0, 0, 0);
    d.spin = static_cast<int8_t>(i == 0 ? 1 : -1);
    b.Anim(kFanAnims[i], d);
  }
}

std::vector<Piece> BuildCatalogue() {
  InitTileTables();  // idempotent; the catalogue reads the placement tables
  CatalogueBuilder b;
  AddWalls(b);
  AddBridges(b);
  AddBunkers(b);
  AddBlockFrame(b, switchObject, PieceFamily::kSwitchFrame, 0, false);
  AddDecorationTiles(b);
  for (int team = 0; team < kFlagTeams; ++team) AddBlockFrame(b, flagObjects[team], PieceFamily::kFlagFrame, team, true);
  AddConveyors(b);
  AddSpawns(b);
  AddDecorationAnims(b);
  return b.pieces;
}

}  // namespace

const std::vector<Piece>& PieceCatalogue() {
  static const std::vector<Piece> catalogue = BuildCatalogue();
  return catalogue;
}

const Piece* FindPiece(const PieceDescriptor& d) {
  for (const Piece& p : PieceCatalogue()) {
    if (p.descriptor == d) return &p;
  }
  return nullptr;
}

const Piece* FindPieceByRef(TileRef ref) {
  for (const Piece& p : PieceCatalogue()) {
    if (p.ref == ref) return &p;
  }
  return nullptr;
}

}  // namespace quarl
