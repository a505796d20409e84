// The demo sheet's art. Pieces with a geometric description are drawn once
// per group of pieces that turn into one another: the drawing functions below
// paint one canonical piece of the group, the picture is made exactly as
// symmetric as the piece's description, and every other piece of the group
// is that picture mirrored or turned. So each mirror and rotate table row
// shows truly mirrored and turned pictures, frame by frame.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <set>

#include "demo_game.h"
#include "map/map_document.h"
#include "map/tile_tables.h"

namespace quarl::demo {

// ---------------------------------------------------------------- palette

namespace {

enum Hue : int {
  kGreen, kRed, kBlue, kYellow, kNeutral, kWood, kOrange, kCyan, kPurple, kTeal,
  kPink, kOlive, kSteel, kCopper, kStone, kMoss, kSand, kNavy, kRust, kLime,
  kMagenta, kSlate, kWater, kGround, kConcrete, kGold, kMaroon, kIce, kDarkWood, kLava,
  kHueCount
};

constexpr Rgb kHueBase[kHueCount] = {
    {40, 170, 60},  {200, 40, 40},   {50, 80, 210},   {230, 200, 40},  {200, 200, 200},
    {140, 90, 45},  {230, 120, 30},  {40, 190, 210},  {130, 60, 170},  {30, 130, 120},
    {220, 110, 160}, {110, 120, 50}, {110, 130, 150}, {180, 100, 60},  {150, 140, 120},
    {70, 110, 60},  {200, 170, 110}, {40, 50, 110},   {150, 70, 40},   {150, 210, 60},
    {190, 50, 150}, {90, 95, 110},   {30, 70, 130},   {70, 80, 70},    {135, 135, 130},
    {210, 170, 50}, {120, 40, 50},   {160, 200, 220}, {90, 60, 35},    {220, 80, 20}};

constexpr Hue kTeamHue[5] = {kGreen, kRed, kBlue, kYellow, kNeutral};
constexpr Hue kWallHue[wallSetCount] = {kSlate, kMaroon, kSteel, kSand, kMoss, kCopper,
                                        kPurple, kTeal, kOlive, kIce, kRust, kDarkWood};

// Palette index of shade 0 (darkest) .. 7 (lightest) of a hue.
uint8_t C(int hue, int shade) { return static_cast<uint8_t>(16 + hue * 8 + std::clamp(shade, 0, 7)); }
// Grey ramp: 0 black .. 15 white.
uint8_t Grey(int level) { return static_cast<uint8_t>(std::clamp(level, 0, 15)); }

std::array<Rgb, 256> BuildPalette() {
  std::array<Rgb, 256> p{};
  for (int g = 0; g < 16; ++g) {
    const uint8_t v = static_cast<uint8_t>(g * 17);
    p[g] = {v, v, v};
  }
  for (int h = 0; h < kHueCount; ++h) {
    for (int s = 0; s < 8; ++s) {
      const Rgb base = kHueBase[h];
      auto shade = [&](uint8_t c) {
        double v = s <= 4 ? c * (0.3 + 0.175 * s) : c + (255 - c) * 0.22 * (s - 4);
        return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
      };
      p[C(h, s)] = {shade(base.r), shade(base.g), shade(base.b)};
    }
  }
  return p;
}

// ---------------------------------------------------------------- drawing helpers

// Distance of a pixel's centre from the tile's middle line, doubled: 1 .. 15.
// Functions of U(x) and U(y) alone look the same after any mirror.
int U(int v) { return std::abs(2 * v - 15); }

using Mask = std::array<bool, kTileSize * kTileSize>;

Mask MaskOf(const TileImage& img) {
  Mask m{};
  for (int i = 0; i < kTileSize * kTileSize; ++i) m[i] = img.px[i] != 0;
  return m;
}

TileImage ShapeImage(bool (*inside)(int, int, int), int param) {
  TileImage t;
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) t.at(x, y) = inside(x, y, param) ? 1 : 0;
  return t;
}

void Or(TileImage& into, const TileImage& other) {
  for (int i = 0; i < kTileSize * kTileSize; ++i) into.px[i] |= other.px[i];
}

// A shape assembled from a centre and arms towards the joined sides; the up
// arm is turned into the others, so the arms meet their neighbours' arms.
TileImage JoinedShape(uint8_t mask, const TileImage& centre, const TileImage& upArm) {
  TileImage shape = centre;
  if (mask & kJoinUp) Or(shape, upArm);
  if (mask & kJoinRight) Or(shape, TransformTile(upArm, kRotate90));
  if (mask & kJoinDown) Or(shape, TransformTile(upArm, kRotate180));
  if (mask & kJoinLeft) Or(shape, TransformTile(upArm, kRotate270));
  return shape;
}

// Chebyshev distance (capped at 4) of each shape pixel to the nearest pixel
// outside the shape; the tile border does not count as outside, so shapes
// that run off the edge continue seamlessly into the next cell.
std::array<int, 256> EdgeDistance(const Mask& m) {
  std::array<int, 256> d{};
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      if (!m[y * 16 + x]) continue;
      int best = 4;
      for (int yy = std::max(0, y - 3); yy <= std::min(15, y + 3); ++yy)
        for (int xx = std::max(0, x - 3); xx <= std::min(15, x + 3); ++xx)
          if (!m[yy * 16 + xx]) best = std::min(best, std::max(std::abs(xx - x), std::abs(yy - y)));
      d[y * 16 + x] = best;
    }
  }
  return d;
}

template <typename Body>
void PaintBevelled(TileImage& img, const Mask& m, uint8_t outline, uint8_t light, Body body) {
  const auto d = EdgeDistance(m);
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const int i = y * 16 + x;
      if (!m[i]) continue;
      img.px[i] = d[i] == 1 ? outline : d[i] == 2 ? light : body(x, y);
    }
  }
}

void Rect(TileImage& img, int x0, int y0, int x1, int y1, uint8_t c) {
  for (int y = std::max(0, y0); y <= std::min(15, y1); ++y)
    for (int x = std::max(0, x0); x <= std::min(15, x1); ++x) img.at(x, y) = c;
}

// The plain floor: the blank tile and the ground around objects.
void Floor(TileImage& img) {
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int a = std::max(U(x), U(y)), b = std::min(U(x), U(y));
      img.at(x, y) = (a * 5 + b * 3) % 13 == 0 ? C(kGround, 3) : C(kGround, 2);
    }
}

// An arrow pointing up, symmetric left to right, inside rows top .. bottom.
void ArrowUp(TileImage& img, int top, int bottom, int halfWidth, uint8_t c) {
  const int head = top + halfWidth;
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const double dx = std::abs(x - 7.5);
      const bool inHead = y <= head && dx <= (y - top) + 0.5;
      const bool inShaft = y > head && dx <= 1.5;
      if (inHead || inShaft) img.at(x, y) = c;
    }
  }
}

// ---------------------------------------------------------------- piece art

bool UpArmWall(int x, int y, int) { return y < 3 && x >= 3 && x <= 12; }
bool CentreWall(int x, int y, int) { return x >= 3 && x <= 12 && y >= 3 && y <= 12; }
bool UpArmPipe(int x, int y, int) { return (y < 5 && x >= 6 && x <= 9) || (y == 1 && x >= 5 && x <= 10); }
bool CentrePipe(int x, int y, int) { return x >= 5 && x <= 10 && y >= 5 && y <= 10; }
bool UpArmConduit(int x, int y, int) { return y < 4 && x >= 5 && x <= 10; }
bool CentreConduit(int x, int y, int) { return x >= 4 && x <= 11 && y >= 4 && y <= 11; }

void DrawWall(const PieceDescriptor& d, TileImage& img) {
  Floor(img);
  const Mask m = MaskOf(JoinedShape(d.mask, ShapeImage(CentreWall, 0), ShapeImage(UpArmWall, 0)));
  const int hue = kWallHue[d.variant];
  const int texture = d.variant % 4;
  PaintBevelled(img, m, C(hue, 1), C(hue, 6), [&](int x, int y) {
    const int a = std::max(U(x), U(y)), b = std::min(U(x), U(y));
    switch (texture) {
      case 0: return (a * 7 + b * 3) % 11 == 0 ? C(hue, 3) : C(hue, 4);
      case 1: return (a / 4) % 2 ? C(hue, 4) : C(hue, 3);
      case 2: return (U(x) % 8 == 7 || U(y) % 8 == 7) ? C(hue, 2) : C(hue, 4);
      default: return ((U(x) + U(y)) / 2) % 4 == 0 ? C(hue, 5) : C(hue, 3);
    }
  });
}

void DrawPipe(const PieceDescriptor& d, TileImage& img) {
  Floor(img);
  const Mask m = MaskOf(JoinedShape(d.mask, ShapeImage(CentrePipe, 0), ShapeImage(UpArmPipe, 0)));
  PaintBevelled(img, m, Grey(3), Grey(13), [](int, int) { return Grey(9); });
}

void DrawConduit(const PieceDescriptor& d, int frame, TileImage& img) {
  Floor(img);
  const Mask m = MaskOf(JoinedShape(d.mask, ShapeImage(CentreConduit, 0), ShapeImage(UpArmConduit, 0)));
  PaintBevelled(img, m, C(kNavy, 2), C(kCyan, 2), [&](int x, int y) {
    const int dist = std::max(U(x), U(y)) / 2;  // 0 .. 7 from the middle outwards
    return ((dist - 2 * frame) % 8 + 8) % 8 <= 1 ? C(kCyan, 7) : C(kCyan, 3);
  });
}

// Bridges: the up/down bridge; the left/right one is its quarter turn.
void DrawBridge(const PieceDescriptor& d, TileImage& img) {
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      // Distance into the bridge from its left (xc < 0) or right side.
      const int fromSide = d.xc < 0 ? x : 15 - x;
      uint8_t c;
      if (std::abs(d.xc) == 2 && fromSide < 7) {
        c = C(kWater, 2 + ((x + 2 * y) % 5 == 0));
      } else if (std::abs(d.xc) == 2 && fromSide < 12) {
        c = (U(y) == 15 || U(y) == 5) ? C(kDarkWood, 1) : C(kDarkWood, 3);  // railing with posts
      } else {
        const bool seam = U(y) == 15 || U(y) == 5;  // plank joints every 5 rows
        c = seam ? C(kWood, 1) : C(kWood, 4);
        if ((U(y) == 1 || U(y) == 9) && U(x) == 11) c = C(kDarkWood, 1);  // nails
        if (std::abs(d.xc) == 1 && fromSide < 3) c = C(kWood, 2);  // curb along the deck edge
      }
      // The ends of the bridge rest on stone.
      const int fromEnd = d.yc < 0 ? y : 15 - y;
      if (std::abs(d.yc) == 2 && fromEnd < 4) c = fromEnd == 3 ? C(kStone, 2) : C(kStone, 4);
      img.at(x, y) = c;
    }
  }
}

// Bunker facing up: a U of concrete open at the bottom. Pieces on the left
// side (xc < 0) carry the left wall, top pieces the top wall; leg ends stop
// short of the open side. The walls are lighter towards the closed side.
void DrawBunker(const PieceDescriptor& d, TileImage& img) {
  const int hue = d.variant == 0 ? kOlive : d.variant == 1 ? kConcrete : kSand;
  Floor(img);
  TileImage shape;
  auto band = [&](int x, int y) {
    const bool sideBand = d.xc != 0 && (d.xc < 0 ? (x >= 1 && x <= 7) : (x >= 8 && x <= 14));
    const bool topBand = d.yc == -2 && y >= 1 && y <= 7;
    bool in = false;
    if (topBand) in = d.xc == 0 || (d.xc < 0 ? x >= 1 : x <= 14);
    if (sideBand) in = in || (d.yc == -2 ? y >= 1 : d.yc == 2 ? y <= 9 : true);
    return in;
  };
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      shape.at(x, y) = band(x, y) ? 1 : 0;
      // Inside the bunker: its floor.
      const bool outsideX = d.xc < 0 ? x < 1 : d.xc > 0 ? x > 14 : false;
      const bool outsideY = d.yc == -2 ? y < 1 : d.yc == 2 ? y > 9 : false;
      if (!outsideX && !outsideY) img.at(x, y) = C(kConcrete, 1);
    }
  PaintBevelled(img, MaskOf(shape), C(hue, 1), C(hue, 6), [&](int x, int y) {
    int shade = 4;
    if (d.yc >= 0) shade = y < 6 && d.yc == 0 ? 4 : 3;  // darker towards the opening
    if (d.yc == -2 && d.xc == 0 && y >= 3 && y <= 4 && x >= 4 && x <= 11) return Grey(1);  // firing slit
    return C(hue, shade);
  });
}

// A square frame around a 3 x 3 object's centre: a plate with a raised rim
// a few pixels in from the object's outer edge; corner and edge pieces.
bool FrameBand(const PieceDescriptor& d, int x, int y) {
  const int fromOuterX = d.xc < 0 ? x : d.xc > 0 ? 15 - x : 99;
  const int fromOuterY = d.yc < 0 ? y : d.yc > 0 ? 15 - y : 99;
  const bool nearX = fromOuterX >= 3 && fromOuterX <= 5;
  const bool nearY = fromOuterY >= 3 && fromOuterY <= 5;
  return (nearX && fromOuterY >= 3) || (nearY && fromOuterX >= 3);
}

bool FramePlate(const PieceDescriptor& d, int x, int y) {
  const int fromOuterX = d.xc < 0 ? x : d.xc > 0 ? 15 - x : 99;
  const int fromOuterY = d.yc < 0 ? y : d.yc > 0 ? 15 - y : 99;
  return fromOuterX >= 3 && fromOuterY >= 3;
}

void DrawBlockFrame(const PieceDescriptor& d, int frame, int hue, bool lights, TileImage& img) {
  Floor(img);
  TileImage shape;
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      shape.at(x, y) = FrameBand(d, x, y) ? 1 : 0;
      if (FramePlate(d, x, y)) img.at(x, y) = lights ? C(hue, 1) : Grey(4);
    }
  PaintBevelled(img, MaskOf(shape), C(hue, 1), C(hue, 6), [&](int, int) { return C(hue, 4); });
  // Lights (or bolts) on the rim: in the corner pieces' corner and in the
  // middle of the edge pieces; corners and edges blink in turn.
  const bool corner = d.xc != 0 && d.yc != 0;
  const int lx = d.xc < 0 ? 4 : d.xc > 0 ? 10 : 7;
  const int ly = d.yc < 0 ? 4 : d.yc > 0 ? 10 : 7;
  const bool on = !lights || (frame % 2 == 0) == corner;
  const uint8_t c = lights ? (on ? C(kGold, 7) : C(hue, 2)) : Grey(12);
  Rect(img, lx, ly, lx + 1, ly + 1, c);
}

// Conveyor moving up, left column of the two-column band (the right one is
// its mirror image). Chevrons span both columns and move up one step a frame.
void DrawConveyor(const PieceDescriptor& d, int frame, TileImage& img) {
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const int outer = d.xc < 0 ? x : 15 - x;  // distance from the band's outer side
      uint8_t c;
      if (outer < 3) {
        c = outer == 1 ? Grey(12) : Grey(7);  // side rail
      } else {
        const int fromMiddle = 15 - outer;  // 0 .. 12, the band's middle line at the tile edge
        const int phase = ((y - fromMiddle / 2 + 2 * frame) % 8 + 8) % 8;  // "^" shapes
        c = phase < 2 ? C(kYellow, 5) : ((y + 2 * frame) % 4 == 0 ? Grey(4) : Grey(3));
      }
      const int fromEnd = d.yc < 0 ? y : d.yc > 0 ? 15 - y : 99;
      if (fromEnd < 3 && outer >= 1) c = fromEnd == 1 ? Grey(13) : Grey(8);  // end roller
      img.at(x, y) = c;
    }
  }
}

void DrawSpawnArm(const PieceDescriptor& d, int frame, TileImage& img) {
  // Canonical piece: the top arm; an arrow pointing away from the centre.
  const int team = d.variant % 4;
  const int hue = kTeamHue[team];
  const bool ringStyle = d.variant >= 4;
  Floor(img);
  Rect(img, 2, 2, 13, 15, C(hue, 1));
  Rect(img, 3, 3, 12, 15, C(hue, 2));
  if (ringStyle) {
    for (int k = 0; k < 3; ++k) {
      const int y = 12 - 4 * k;
      const bool lit = (k + frame) % 3 == 0;
      ArrowUp(img, y - 3, y - 2, 4, lit ? C(hue, 7) : C(hue, 4));
    }
  } else {
    ArrowUp(img, 4, 14, 4, frame % 2 ? C(hue, 6) : C(hue, 5));
  }
}

void DrawCornerSpawn(const PieceDescriptor& d, int frame, TileImage& img) {
  // Canonical piece: arrow up on a round pad.
  const int hue = kTeamHue[d.variant];
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int r2 = (U(x) * U(x) + U(y) * U(y));
      if (r2 <= 13 * 13) img.at(x, y) = r2 >= 11 * 11 ? C(hue, 1) : C(hue, 2);
    }
  ArrowUp(img, 3 - (frame % 2), 12 - (frame % 2), 4, frame % 2 ? C(hue, 7) : C(hue, 5));
}

void DrawBoostArrow(const PieceDescriptor& d, int frame, TileImage& img) {
  const int hue = kTeamHue[d.variant];
  Floor(img);
  for (int k = 0; k < 2; ++k) {
    const int top = ((k * 8 - 2 * frame) % 16 + 16) % 16;  // chevrons move up
    for (int y = 0; y < kTileSize; ++y)
      for (int x = 0; x < kTileSize; ++x) {
        const int rel = ((y - top) % 16 + 16) % 16;
        const int dx = std::abs(2 * x - 15) / 2;  // 0 .. 7
        if (rel - dx >= 0 && rel - dx <= 2 && dx <= 5) img.at(x, y) = C(hue, 6);
      }
  }
}

void DrawFan(int frame, TileImage& img) {
  // Clockwise fan (y grows downwards, so growing angles turn clockwise).
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const double fx = x - 7.5, fy = y - 7.5;
      const double r = std::hypot(fx, fy);
      if (r > 7.6) continue;
      img.at(x, y) = Grey(5);
      double a = std::atan2(fy, fx) * 180.0 / std::numbers::pi - frame * 22.5;
      a = std::fmod(std::fmod(a, 90.0) + 90.0, 90.0);
      if (r > 1.5 && r < 7.0 && a < 35.0 - r * 2) img.at(x, y) = Grey(13);
      if (r <= 1.5) img.at(x, y) = C(kOrange, 5);
    }
}

void DrawCornerPiece(const PieceDescriptor& d, int frame, TileImage& img) {
  // Canonical piece: the top-left corner.
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const double r = std::hypot(x + 0.5, y + 0.5);
      switch (d.family) {
        case PieceFamily::kCornerTriangle:
          if (x + y < 15) img.at(x, y) = x + y == 14 ? C(kStone, 2) : C(kStone, 4);
          break;
        case PieceFamily::kQuarterCircle:
          if (r < 13.0) img.at(x, y) = r > 11.5 ? C(kMoss, 2) : C(kMoss, 4 + ((x * y) % 7 == 3));
          break;
        case PieceFamily::kCornerShadow: {
          const int shade = std::min(x, y);
          if (shade < 6) img.at(x, y) = Grey(shade / 2);
          break;
        }
        case PieceFamily::kCornerMark:
          if ((std::min(x, y) >= 2 && std::min(x, y) <= 3) && std::max(x, y) <= 10) img.at(x, y) = C(kYellow, 5);
          break;
        case PieceFamily::kCornerLight:
          if (r < 6.0) img.at(x, y) = frame == 0 ? C(kLava, 7) : frame == 1 ? C(kLava, 4) : C(kLava, 2);
          else if (r < 7.5) img.at(x, y) = Grey(3);
          break;
        default:
          break;
      }
    }
}

void DrawDiagonal(const PieceDescriptor& d, TileImage& img) {
  // Canonical piece: the backslash direction (top left to bottom right).
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int diff = x - y;
      if (d.family == PieceFamily::kDiagonalLine) {
        if (std::abs(diff) <= 1) img.at(x, y) = std::abs(diff) == 0 ? Grey(15) : Grey(11);
      } else {
        const int m = ((diff % 6) + 6) % 6;  // stripes 3 wide, symmetric about the diagonal
        img.at(x, y) = (m >= 2 && m <= 4) ? Grey(1) : C(kYellow, 4);
      }
    }
}

// Pieces that run left to right; their stand-up forms are quarter turns.
void DrawStraight(const PieceDescriptor& d, TileImage& img) {
  Floor(img);
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const int ux = U(x), uy = U(y);
      switch (d.family) {
        case PieceFamily::kDoor: {
          const int hue = kWallHue[d.variant];
          if (uy <= 9) {  // inside the wall band of rows 3 .. 12
            if (ux >= 11) img.at(x, y) = uy == 9 ? C(hue, 1) : C(hue, 4);  // wall stubs
            else img.at(x, y) = ux <= 1 ? C(kWood, 1) : (uy == 9 || ux == 9 ? C(kDarkWood, 2) : C(kWood, 4));
            if (ux == 5 && uy <= 3) img.at(x, y) = C(kGold, 6);  // handles
          }
          break;
        }
        case PieceFamily::kLaneMarking:
          if (uy <= 1 && (ux >= 3 && ux <= 11)) img.at(x, y) = C(kTeamHue[d.variant], 6);
          break;
        case PieceFamily::kFence: {
          const int hue = d.variant == 0 ? kWood : d.variant == 1 ? kSteel : d.variant == 2 ? kStone : kMoss;
          if (uy == 5 || uy == 7) img.at(x, y) = C(hue, 4);  // rails
          if (ux >= 9 && ux <= 11 && uy <= 9) img.at(x, y) = C(hue, 2);  // posts
          break;
        }
        case PieceFamily::kPlanks: {
          const int hue = d.variant == 0 ? kWood : d.variant == 1 ? kSand : d.variant == 2 ? kDarkWood : kCopper;
          img.at(x, y) = (uy == 15 || uy == 5) ? C(hue, 1) : C(hue, 4);
          if ((uy == 9 || uy == 1) && (ux == 13 || ux == 3)) img.at(x, y) = C(hue, 2);  // grain knots
          break;
        }
        case PieceFamily::kGrate: {
          const int hue = d.variant == 0 ? kSteel : d.variant == 1 ? kCopper : kRust;
          const bool bar = uy % 8 >= 1 && uy % 8 <= 3;  // four bars, mirror symmetric
          img.at(x, y) = bar ? C(hue, 5) : Grey(1);
          if (ux == 15) img.at(x, y) = C(hue, 2);
          break;
        }
        case PieceFamily::kRail: {
          if (ux % 8 == 1 || ux % 8 == 3) img.at(x, y) = uy <= 11 ? C(kDarkWood, 3) : img.at(x, y);  // sleepers
          const int hue = d.variant == 0 ? kSteel : d.variant == 1 ? kGold : kCopper;
          if (uy == 7 || uy == 9) img.at(x, y) = C(hue, 6);
          if (d.variant == 1 && uy <= 1) img.at(x, y) = Grey(10);  // monorail beam
          break;
        }
        default:
          break;
      }
    }
  }
}

void DrawFloorArrow(TileImage& img) {
  Floor(img);
  ArrowUp(img, 2, 13, 5, Grey(14));
}

int FrameCount(PieceFamily f) {
  switch (f) {
    case PieceFamily::kFlagFrame: return 2;
    case PieceFamily::kConveyor: return 4;
    case PieceFamily::kSpawnArm: return 3;
    case PieceFamily::kCornerSpawn: return 2;
    case PieceFamily::kConduit: return 4;
    case PieceFamily::kBoostArrow: return 8;
    case PieceFamily::kCornerLight: return 3;
    case PieceFamily::kFan: return 4;
    default: return 1;
  }
}

// Which member of a group the drawing functions paint.
bool IsCanonical(const PieceDescriptor& d) {
  switch (d.family) {
    case PieceFamily::kWall:
    case PieceFamily::kPipe:
    case PieceFamily::kConduit:
      return d.mask == 0 || d.mask == kJoinUp || d.mask == (kJoinUp | kJoinDown) ||
             d.mask == (kJoinUp | kJoinLeft) || d.mask == (kJoinUp | kJoinLeft | kJoinRight) || d.mask == 15;
    case PieceFamily::kBridge: return d.heading.axis && d.heading.dx == 0;  // the up/down bridge
    case PieceFamily::kBunker:
    case PieceFamily::kConveyor:
    case PieceFamily::kCornerSpawn:
    case PieceFamily::kFloorArrow:
    case PieceFamily::kBoostArrow:
      return d.heading.dx == 0 && d.heading.dy == -1;
    case PieceFamily::kSpawnArm: return d.xc == 0 && d.yc == -2;
    case PieceFamily::kDiagonalLine:
    case PieceFamily::kHazardStripes: return d.heading.dx == 1 && d.heading.dy == 1;
    case PieceFamily::kCornerTriangle:
    case PieceFamily::kQuarterCircle:
    case PieceFamily::kCornerShadow:
    case PieceFamily::kCornerMark:
    case PieceFamily::kCornerLight: return d.xc == -2 && d.yc == -2;
    case PieceFamily::kDoor:
    case PieceFamily::kLaneMarking:
    case PieceFamily::kFence:
    case PieceFamily::kPlanks:
    case PieceFamily::kGrate:
    case PieceFamily::kRail: return d.heading.dx == 1 && d.heading.dy == 0;
    case PieceFamily::kFan: return d.spin == 1;
    case PieceFamily::kSwitchFrame:
    case PieceFamily::kFlagFrame: return true;
  }
  return false;
}

void DrawCanonical(const PieceDescriptor& d, int frame, TileImage& img) {
  switch (d.family) {
    case PieceFamily::kWall: DrawWall(d, img); break;
    case PieceFamily::kPipe: DrawPipe(d, img); break;
    case PieceFamily::kConduit: DrawConduit(d, frame, img); break;
    case PieceFamily::kBridge: DrawBridge(d, img); break;
    case PieceFamily::kBunker: DrawBunker(d, img); break;
    case PieceFamily::kSwitchFrame: DrawBlockFrame(d, frame, kSteel, false, img); break;
    case PieceFamily::kFlagFrame: DrawBlockFrame(d, frame, kTeamHue[d.variant], true, img); break;
    case PieceFamily::kConveyor: DrawConveyor(d, frame, img); break;
    case PieceFamily::kSpawnArm: DrawSpawnArm(d, frame, img); break;
    case PieceFamily::kCornerSpawn: DrawCornerSpawn(d, frame, img); break;
    case PieceFamily::kFloorArrow: DrawFloorArrow(img); break;
    case PieceFamily::kBoostArrow: DrawBoostArrow(d, frame, img); break;
    case PieceFamily::kDiagonalLine:
    case PieceFamily::kHazardStripes: DrawDiagonal(d, img); break;
    case PieceFamily::kCornerTriangle:
    case PieceFamily::kQuarterCircle:
    case PieceFamily::kCornerShadow:
    case PieceFamily::kCornerMark:
    case PieceFamily::kCornerLight: DrawCornerPiece(d, frame, img); break;
    case PieceFamily::kDoor:
    case PieceFamily::kLaneMarking:
    case PieceFamily::kFence:
    case PieceFamily::kPlanks:
    case PieceFamily::kGrate:
    case PieceFamily::kRail: DrawStraight(d, img); break;
    case PieceFamily::kFan: DrawFan(frame, img); break;
  }
}

size_t CatalogueIndex(const PieceDescriptor& d) {
  const Piece* p = FindPiece(d);
  return p ? static_cast<size_t>(p - PieceCatalogue().data()) : SIZE_MAX;
}

// The picture of a catalogue piece: the group's canonical piece (the first in
// catalogue order that the drawing functions paint) is drawn, made symmetric
// under every transform that leaves its description alone, and carried over
// to this piece by the transform that relates the two descriptions.
TileImage DrawPiece(const Piece& piece, int frame) {
  size_t best = SIZE_MAX;
  SquareTransform toCanonical = kIdentity;
  for (SquareTransform t : kSquareTransforms) {
    const PieceDescriptor image = TransformDescriptor(piece.descriptor, t);
    if (!IsCanonical(image)) continue;
    const size_t index = CatalogueIndex(image);
    if (index < best) {
      best = index;
      toCanonical = t;
    }
  }
  if (best == SIZE_MAX) return TileImage{};  // cannot happen for a closed catalogue
  const PieceDescriptor& canonical = PieceCatalogue()[best].descriptor;
  TileImage drawn;
  DrawCanonical(canonical, frame, drawn);
  TileImage symmetric = drawn;
  for (SquareTransform g : kSquareTransforms) {
    if (!(TransformDescriptor(canonical, g) == canonical)) continue;
    const TileImage turned = TransformTile(drawn, g);
    for (size_t i = 0; i < symmetric.px.size(); ++i) symmetric.px[i] = std::max(symmetric.px[i], turned.px[i]);
  }
  return TransformTile(symmetric, Inverse(toCanonical));
}

// Makes a picture look the same after every mirror and turn.
TileImage FullySymmetric(const TileImage& drawn) {
  TileImage out = drawn;
  for (SquareTransform g : kSquareTransforms) {
    const TileImage turned = TransformTile(drawn, g);
    for (size_t i = 0; i < out.px.size(); ++i) out.px[i] = std::max(out.px[i], turned.px[i]);
  }
  return out;
}

// ---------------------------------------------------------------- objects without a group

// A flag pole of team `owner` holding the flag of team `flag`.
TileImage DrawPole(int owner, int flag, int frame) {
  TileImage img;
  Floor(img);
  Rect(img, 2, 13, 9, 14, C(kTeamHue[owner], 2));
  Rect(img, 3, 12, 8, 12, C(kTeamHue[owner], 4));
  Rect(img, 5, 1, 6, 12, Grey(12));
  Rect(img, 5, 0, 6, 0, C(kGold, 6));
  for (int x = 7; x <= 14; ++x) {
    const int wave = static_cast<int>(std::lround(std::sin((x - 7) * 0.9 + frame * std::numbers::pi / 2) * ((x - 6) / 4.0)));
    for (int y = 2; y <= 7; ++y) {
      const int yy = y + wave;
      if (yy < 0 || yy > 11) continue;
      img.at(x, yy) = (y == 2 || y == 7 || x == 14) ? C(kTeamHue[flag], 2) : C(kTeamHue[flag], 5);
    }
  }
  return img;
}

TileImage DrawSpawnCentre(int team, bool cornerStyle) {
  TileImage img;
  Floor(img);
  const int hue = kTeamHue[team];
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int ux = U(x), uy = U(y);
      const int r2 = ux * ux + uy * uy;
      const bool pad = cornerStyle ? std::max(ux, uy) <= 13 : r2 <= 14 * 14;
      if (pad) img.at(x, y) = C(hue, 2);
      if (pad && (cornerStyle ? std::max(ux, uy) >= 11 : r2 >= 11 * 11)) img.at(x, y) = C(hue, 4);
      if (r2 <= 5 * 5) img.at(x, y) = C(hue, 7);
    }
  return FullySymmetric(img);
}

TileImage DrawPen(int team, int frame) {
  // team < 0: the pen's filler; otherwise the team's marker in the middle.
  TileImage img;
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int ux = U(x), uy = U(y);
      if (ux % 6 == 3 || uy % 6 == 3) img.at(x, y) = frame % 2 ? Grey(12) : Grey(9);
      if (team >= 0 && ux + uy <= 12 + 2 * (frame % 2)) img.at(x, y) = C(kTeamHue[team], ux + uy <= 6 ? 6 : 4);
    }
  return FullySymmetric(img);
}

TileImage DrawSingleSpawn(int team, int frame) {
  TileImage img;
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int r2 = U(x) * U(x) + U(y) * U(y);
      const int ring = 7 + 3 * frame;
      if (r2 <= 14 * 14) img.at(x, y) = C(kTeamHue[team], 2);
      if (r2 <= ring * ring && r2 >= (ring - 3) * (ring - 3)) img.at(x, y) = C(kTeamHue[team], 6);
    }
  return FullySymmetric(img);
}

TileImage DrawPopup(int stage) {
  TileImage img;
  Floor(img);
  const int half = 3 + stage;  // 3 .. 10 doubled half-size
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int a = std::max(U(x), U(y));
      if (a <= 2 * half - 1) img.at(x, y) = a >= 2 * half - 3 ? C(kOrange, 2) : C(kOrange, 5);
    }
  return FullySymmetric(img);
}

TileImage DrawSwitch(int frame) {
  TileImage img;
  Floor(img);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const int ux = U(x), uy = U(y);
      const int r2 = ux * ux + uy * uy;
      if (std::max(ux, uy) <= 13) img.at(x, y) = Grey(5);
      if (r2 <= 10 * 10) img.at(x, y) = C(kSteel, 5);
      if (r2 <= 5 * 5) img.at(x, y) = frame % 2 ? C(kLime, 7) : C(kLime, 3);
      if (ux == uy && ux >= 11 && ux <= 13) img.at(x, y) = frame % 2 ? C(kLime, 6) : Grey(2);
    }
  return FullySymmetric(img);
}

TileImage DrawBlank() {
  TileImage img;
  Floor(img);
  return img;
}

// ---------------------------------------------------------------- sheet assembly

class SheetBuilder {
 public:
  explicit SheetBuilder(DemoGame& game) : game_(game) {
    game_.animations.assign(kAnimationIds, {});
  }

  void Tile(int tile, const TileImage& image) { game_.SetTile(tile, image); }

  // An animation whose frames are stored in fresh tiles of the frame area.
  template <typename Draw>
  void Animation(int id, int frames, Draw draw) {
    auto& list = game_.animations.at(static_cast<size_t>(id));
    list.clear();
    for (int f = 0; f < frames; ++f) {
      game_.SetTile(nextFrameTile_, draw(f));
      list.push_back(static_cast<uint16_t>(nextFrameTile_++));
    }
  }

 private:
  DemoGame& game_;
  int nextFrameTile_ = 30 * kSheetColumns;  // sheet rows 30 .. 67 are free for frames
};

}  // namespace

TileImage TransformTile(const TileImage& tile, SquareTransform t) {
  TileImage out;
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      const int u = 2 * x - 15, v = 2 * y - 15;  // centred, odd coordinates
      const int u2 = t.a * u + t.b * v, v2 = t.c * u + t.d * v;
      out.at((u2 + 15) / 2, (v2 + 15) / 2) = tile.at(x, y);
    }
  }
  return out;
}

TileImage DemoGame::Tile(int tile) const {
  TileImage img;
  const int x0 = (tile % kSheetColumns) * kTileSize, y0 = (tile / kSheetColumns) * kTileSize;
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) img.at(x, y) = sheet[static_cast<size_t>(y0 + y) * kSheetWidth + x0 + x];
  return img;
}

void DemoGame::SetTile(int tile, const TileImage& image) {
  const int x0 = (tile % kSheetColumns) * kTileSize, y0 = (tile / kSheetColumns) * kTileSize;
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) sheet[static_cast<size_t>(y0 + y) * kSheetWidth + x0 + x] = image.at(x, y);
}

DemoGame BuildDemoGame() {
  InitTileTables();
  DemoGame game;
  game.palette = BuildPalette();
  game.sheet.assign(static_cast<size_t>(kSheetWidth) * kSheetHeight, 0);
  SheetBuilder b(game);

  b.Tile(BLANK_TILE, DrawBlank());
  for (int i = 0; i < 4; ++i) {
    b.Tile(36 + i, DrawPopup(i));
    b.Tile(76 + i, DrawPopup(4 + i));
  }
  for (int team = 0; team < 4; ++team) {
    b.Tile(spawnObjects[team][2], DrawSpawnCentre(team, false));
    b.Tile(spawnObjects[8 + team][2], DrawSpawnCentre(team, true));
    b.Tile(holdingPens[0][1 + team], DrawPen(team, 0));
    b.Animation(holdingPens[1][1 + team], 2, [&](int f) { return DrawPen(team, f); });
    b.Animation(spawnObjects[12 + team][0], 3, [&](int f) { return DrawSingleSpawn(team, f); });
  }
  b.Tile(holdingPens[0][0], DrawPen(-1, 0));
  b.Animation(holdingPens[1][0], 2, [&](int f) { return DrawPen(-1, f); });
  b.Animation(switchObject[4], 2, [](int f) { return DrawSwitch(f); });

  // Flags on their own poles, and poles holding another team's flag.
  const int poles[4][5] = {{25, 26, 27, 128, 28}, {32, 34, 35, 129, 37}, {40, 41, 43, 130, 46}, {58, 59, 60, 131, 65}};
  const int poleFlag[4][5] = {{1, 2, 3, 4, 0}, {0, 2, 3, 4, 1}, {0, 1, 3, 4, 2}, {0, 1, 2, 4, 3}};
  for (int team = 0; team < 4; ++team)
    for (int e = 0; e < 5; ++e)
      b.Animation(poles[team][e], 4, [&](int f) { return DrawPole(team, poleFlag[team][e], f); });
  b.Animation(flagObjects[4][4], 4, [](int f) { return DrawPole(4, 4, f); });

  // Everything with a geometric description.
  for (const Piece& piece : PieceCatalogue()) {
    if (piece.ref & ANIM_FLAG) {
      b.Animation(piece.ref & 0xFFFF, FrameCount(piece.descriptor.family),
                  [&](int f) { return DrawPiece(piece, f); });
    } else {
      b.Tile(static_cast<int>(piece.ref), DrawPiece(piece, 0));
    }
  }
  return game;
}

}  // namespace quarl::demo
