#pragma once
// The mirror table and the rotate table: groups of four tiles or animations
// that turn into one another.

#include <array>
#include <cstdint>
#include <vector>

#include "map/map_document.h"

namespace quarl {

// Low 16 bits: a tile number or animation id; high 16 bits: 1 for an animation.
using TileRef = uint32_t;
constexpr TileRef ANIM_FLAG = 0x10000;
constexpr TileRef END_MARK = 0xFFFFFFFFu;
constexpr int kTableCapacity = 512;                   // slots, one of them for the end entry
constexpr int kMaxTableEntries = kTableCapacity - 1;  // 511

// Mirror table: tile, vertical mirror, horizontal mirror, both.
// Rotate table: tile, turned 90, 180 and 270 degrees clockwise.
struct MirrorRotateEntry {
  std::array<TileRef, 4> slots{};
  bool operator==(const MirrorRotateEntry&) const = default;
};

// One table; holds at most kMaxTableEntries entries. An entry whose slot 0 is
// END_MARK ends the table: it and everything after it are not counted,
// looked up or saved.
struct MirrorRotateTable {
  std::vector<MirrorRotateEntry> entries;

  // Entries before the end entry, at most kMaxTableEntries.
  int Count() const;
  // Appends an entry of four tile-0 slots and returns the new count; a full
  // table (kMaxTableEntries entries) is left as it is.
  int Add();
  // Removes entry index and moves the later ones up; an index outside
  // 0..Count()-1 changes nothing. True when an entry was removed.
  bool Delete(int index);

  // Tables are equal when their counted entries are.
  bool operator==(const MirrorRotateTable& other) const;
};

struct MirrorRotateTables {
  MirrorRotateTable mirror;
  MirrorRotateTable rotate;
  bool operator==(const MirrorRotateTables&) const = default;
};

// A lookup result: four TileRef values, all END_MARK (-1) when no entry holds
// the key.
using TileRefGroup = std::array<TileRef, 4>;
constexpr TileRefGroup kNoGroup = {END_MARK, END_MARK, END_MARK, END_MARK};

// The first rotate-table entry with a slot holding the key (slots tested 0,
// 1, 2, 3), turned so that the key's slot comes first: result slot 1 is the
// key turned a quarter turn clockwise. animFlag is 1 for an animation id, 0
// for a tile number.
TileRefGroup RotateLookup(const MirrorRotateTables& tables, int32_t key, int animFlag);
// The first mirror-table entry with a slot holding the key (slots tested 0,
// 2, 1, 3), reordered to (key, its vertical mirror, its horizontal mirror,
// both).
TileRefGroup MirrorLookup(const MirrorRotateTables& tables, int32_t key, int animFlag);

// The key a cell is looked up by: its animation when it is animated, else its tile.
struct TableKey {
  int32_t number = 0;
  int animFlag = 0;
};
TableKey TableKeyOf(const CellValues& cell);

// The values a mirror or rotate writes into a target cell for a source cell
// and the chosen lookup value m. END_MARK copies the source unchanged (tile
// only, or animation and data only); an animation takes the source's data,
// or 0 when the source was a plain tile; a tile clears the animation.
CellValues TransformedCellValues(const CellValues& source, TileRef m);

}  // namespace quarl
