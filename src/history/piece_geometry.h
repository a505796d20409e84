#pragma once
// A geometric description of every tile and animation that mirroring and
// rotating can turn into another one: which object a piece belongs to, where
// inside the object it sits, which sides it joins and which way it points.
// Mirroring or rotating a piece transforms its description; the piece whose
// description equals the result is its mirror image or its turned form. The
// built-in mirror and rotate tables are derived from this (default_tables.h),
// and the demo tile sheet draws every piece from it.

#include <cstdint>
#include <vector>

#include "history/mirror_rotate_tables.h"

namespace quarl {

enum class PieceFamily : uint8_t {
  // Pieces of the placement tables.
  kWall,         // variant = wall set; mask = joined sides
  kBridge,       // heading = plank axis: V for the up/down bridge, H for left/right
  kBunker,       // variant = bunker type; heading = the closed side
  kSwitchFrame,  // the eight tiles around the switch
  kFlagFrame,    // variant = team; the eight animations around a flag
  kConveyor,     // heading = direction the belt moves
  kSpawnArm,     // variant = spawn row (style + team); position = arm of the cross
  kCornerSpawn,  // variant = team; heading = the arrow the corner piece shows
  // Decoration tiles of the demo sheet.
  kPipe,            // joined like walls
  kFloorArrow,      // heading = arrow
  kDiagonalLine,    // heading = diagonal axis
  kHazardStripes,   // heading = diagonal axis of the stripes
  kCornerTriangle,  // position = the corner it fills
  kQuarterCircle,   // position = the corner the circle's centre sits in
  kCornerShadow,    // position = the corner the shadow falls into
  kCornerMark,      // position = the corner the bracket marks
  kDoor,            // variant = wall set it matches; heading = H or V
  kLaneMarking,     // variant = team colour; heading = H or V
  kFence,           // variant = material; heading = H or V
  kPlanks,          // variant = wood; heading = H or V
  kGrate,           // variant = metal; heading = H or V
  kRail,            // variant = kind; heading = H or V
  // Decoration animations of the demo game.
  kConduit,      // energy conduit joined like walls
  kBoostArrow,   // variant = team; heading = arrow
  kCornerLight,  // position = corner
  kFan,          // spin = +1 clockwise, -1 anticlockwise
};

// Which way a piece points. An arrow (axis false) is a unit vector in screen
// coordinates, y growing downwards; an axis (axis true) is a line direction
// kept with dx > 0, or dx == 0 and dy > 0. All zero: no direction.
struct Heading {
  int8_t dx = 0;
  int8_t dy = 0;
  bool axis = false;
  bool operator==(const Heading&) const = default;
};

// Join mask bits, as the wall tool uses them.
constexpr uint8_t kJoinUp = 1, kJoinDown = 2, kJoinLeft = 4, kJoinRight = 8;

// Position classes inside an object: -2 first, -1 second, 0 inner,
// +1 second-to-last, +2 last (columns left to right, rows top to bottom).
struct PieceDescriptor {
  PieceFamily family = PieceFamily::kWall;
  int8_t variant = 0;
  int8_t xc = 0;
  int8_t yc = 0;
  uint8_t mask = 0;
  Heading heading;
  int8_t spin = 0;
  bool operator==(const PieceDescriptor&) const = default;
};

// A descriptor from its fields, not spun.
PieceDescriptor Describe(PieceFamily family, int variant = 0, int xc = 0, int yc = 0, Heading heading = {},
                         uint8_t mask = 0);

// The eight symmetries of a square tile. A transform maps the centred
// coordinates (x, y), y down, to (a x + b y, c x + d y).
struct SquareTransform {
  int8_t a, b, c, d;
  bool operator==(const SquareTransform&) const = default;
};
constexpr SquareTransform kIdentity{1, 0, 0, 1};
constexpr SquareTransform kRotate90{0, -1, 1, 0};   // a quarter turn clockwise
constexpr SquareTransform kRotate180{-1, 0, 0, -1};
constexpr SquareTransform kRotate270{0, 1, -1, 0};
constexpr SquareTransform kFlipVertical{1, 0, 0, -1};   // top to bottom
constexpr SquareTransform kFlipHorizontal{-1, 0, 0, 1}; // left to right
constexpr SquareTransform kTranspose{0, 1, 1, 0};
constexpr SquareTransform kAntiTranspose{0, -1, -1, 0};
// Identity first, then the turns, then the reflections.
extern const SquareTransform kSquareTransforms[8];

SquareTransform Compose(SquareTransform outer, SquareTransform inner);  // outer after inner
SquareTransform Inverse(SquareTransform t);
PieceDescriptor TransformDescriptor(const PieceDescriptor& d, SquareTransform t);

struct Piece {
  TileRef ref = 0;
  PieceDescriptor descriptor;
};

// Every piece with a geometric description, in derivation order: the wall
// sets with the single wall, the bridges, the bunkers, the switch frame, the
// decoration tiles, then the animations (flag frames, conveyors, spawns,
// decoration animations).
const std::vector<Piece>& PieceCatalogue();

// The piece with exactly that description, or null.
const Piece* FindPiece(const PieceDescriptor& d);
// The catalogue entry of a tile or animation, or null.
const Piece* FindPieceByRef(TileRef ref);

// Decoration pieces the demo sheet adds in free tile slots and animation ids.
constexpr int32_t kPipeStraightHorizontal = 4;
constexpr int32_t kPipeStraightVertical = 5;
constexpr int kDoorVariants = 12;
constexpr int kLaneVariants = 5;
constexpr int kFenceVariants = 4;
constexpr int kPlankVariants = 4;
constexpr int kGrateVariants = 3;
constexpr int kRailVariants = 3;

}  // namespace quarl
