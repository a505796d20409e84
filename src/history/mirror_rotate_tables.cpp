#include "history/mirror_rotate_tables.h"

#include <algorithm>

namespace quarl {

int MirrorRotateTable::Count() const {
  const size_t limit = std::min(entries.size(), static_cast<size_t>(kMaxTableEntries));
  for (size_t i = 0; i < limit; ++i) {
    if (entries[i].slots[0] == END_MARK) return static_cast<int>(i);
  }
  return static_cast<int>(limit);
}

int MirrorRotateTable::Add() {
  const int n = Count();
  if (n >= kMaxTableEntries) return n;
  entries.resize(static_cast<size_t>(n));  // whatever lay past the end entry goes
  entries.push_back(MirrorRotateEntry{{0, 0, 0, 0}});
  return n + 1;
}

bool MirrorRotateTable::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  entries.erase(entries.begin() + index);
  return true;
}

bool MirrorRotateTable::operator==(const MirrorRotateTable& other) const {
  const int n = Count();
  return n == other.Count() && std::equal(entries.begin(), entries.begin() + n, other.entries.begin());
}

namespace {

bool Holds(TileRef slot, int32_t key, int animFlag) {
  return static_cast<int32_t>(slot & 0xFFFFu) == key && static_cast<int32_t>(slot >> 16) == animFlag;
}

// The first entry with a slot holding the key, trying the slots in the given
// order; the result is that entry and the matching slot, or null.
const MirrorRotateEntry* FindEntry(const MirrorRotateTable& table, int32_t key, int animFlag,
                                   const std::array<int, 4>& slotOrder, int& slot) {
  const int n = table.Count();
  for (int i = 0; i < n; ++i) {
    const MirrorRotateEntry& entry = table.entries[static_cast<size_t>(i)];
    for (int k : slotOrder) {
      if (Holds(entry.slots[static_cast<size_t>(k)], key, animFlag)) {
        slot = k;
        return &entry;
      }
    }
  }
  return nullptr;
}

}  // namespace

TileRefGroup RotateLookup(const MirrorRotateTables& tables, int32_t key, int animFlag) {
  int k = 0;
  const MirrorRotateEntry* entry = FindEntry(tables.rotate, key, animFlag, {0, 1, 2, 3}, k);
  if (!entry) return kNoGroup;
  const auto& s = entry->slots;
  return {s[k], s[(k + 1) % 4], s[(k + 2) % 4], s[(k + 3) % 4]};
}

TileRefGroup MirrorLookup(const MirrorRotateTables& tables, int32_t key, int animFlag) {
  int k = 0;
  const MirrorRotateEntry* entry = FindEntry(tables.mirror, key, animFlag, {0, 2, 1, 3}, k);
  if (!entry) return kNoGroup;
  // The slots are (tile, vertical, horizontal, both). Seen from any slot, its
  // vertical mirror is the slot one flip away vertically (k xor 1) and its
  // horizontal mirror the one flip away horizontally (k xor 2).
  const auto& s = entry->slots;
  return {s[k], s[k ^ 1], s[k ^ 2], s[k ^ 3]};
}

TableKey TableKeyOf(const CellValues& cell) {
  if (cell.data != -1) return {cell.anim, 1};
  return {cell.tile, 0};
}

CellValues TransformedCellValues(const CellValues& source, TileRef m) {
  const bool animated = source.data != -1;
  if (m == END_MARK) {
    if (animated) return {-1, source.anim, source.data};
    return {source.tile, -1, -1};
  }
  if (m & ANIM_FLAG) return {-1, static_cast<int32_t>(m & 0xFFFFu), animated ? source.data : 0};
  return {static_cast<int32_t>(m), -1, -1};
}

}  // namespace quarl
