#pragma once
// The mirror table and the rotate table: groups of four tiles or animations
// that turn into one another.

#include <array>
#include <cstdint>
#include <vector>

namespace quarl {

// Low 16 bits: a tile number or animation id; high 16 bits: 1 for an animation.
using TileRef = uint32_t;
constexpr TileRef ANIM_FLAG = 0x10000;
constexpr TileRef END_MARK = 0xFFFFFFFFu;
constexpr int kTableCapacity = 512;  // slots, one of them for the end entry

// Mirror table: tile, vertical mirror, horizontal mirror, both.
// Rotate table: tile, turned 90, 180 and 270 degrees clockwise.
struct MirrorRotateEntry {
  std::array<TileRef, 4> slots{};
  bool operator==(const MirrorRotateEntry&) const = default;
};

// One table; holds at most kTableCapacity - 1 entries.
struct MirrorRotateTable {
  std::vector<MirrorRotateEntry> entries;
};

struct MirrorRotateTables {
  MirrorRotateTable mirror;
  MirrorRotateTable rotate;
};

}  // namespace quarl
