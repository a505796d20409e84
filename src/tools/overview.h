#pragma once
// The overview's picture of a whole map, one pixel per cell, and where the
// outline of the part its map window shows lies on it. The window that
// shows it is tools/win/overview_window.h.

#include <cstdint>
#include <vector>

#include "map/map_document.h"

namespace quarl {

constexpr int kOverviewBytesPerPixel = 3;  // blue, green, red
constexpr int kOverviewRowBytes = kMapCells * kOverviewBytesPerPixel;

struct OverviewColour {
  uint8_t blue = 0, green = 0, red = 0;
  bool operator==(const OverviewColour&) const = default;
};

// A cell's pixel, from the low 16 bits v of its tile word, or of its
// animation id when the tile word is -1 (an animation placed in the editor):
// blue and green are v mod 256, red is v / 256. An animated cell read from a
// file keeps tile 0 and shows black.
OverviewColour OverviewCellColour(const Cell& cell);

// The picture: 256 rows of 256 pixels, top row first, each pixel blue,
// green, red; 768 bytes a row, as a 24-bit top-down bitmap holds them.
std::vector<uint8_t> OverviewPicture(const MapDocument& doc);

// The outline of what a map window shows, in overview pixels (cells): from
// its scroll positions and client size in map pixels. The outline's edges
// run from (left, top) over width + 1 and height + 1 pixels.
struct OverviewOutline {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const OverviewOutline&) const = default;
};
OverviewOutline OverviewOutlineOf(int32_t scrollX, int32_t scrollY, int32_t clientWidth, int32_t clientHeight);

// A click or drag at overview pixel (x, y) centres the map window there:
// the scroll positions asked for (the scroll bars clamp them), from the
// client size of the active map window, whose halves are cut down to whole
// cells.
struct OverviewJump {
  int32_t scrollX = 0, scrollY = 0;
  bool operator==(const OverviewJump&) const = default;
};
OverviewJump OverviewJumpTo(int32_t x, int32_t y, int32_t clientWidth, int32_t clientHeight);

}  // namespace quarl
