#include "history/default_tables.h"

#include <algorithm>
#include <set>

#include "history/piece_geometry.h"

// How the rows are derived
// ------------------------
// Every piece has a description (piece_geometry.h). Mirroring or turning a
// piece transforms its description, and the image is the catalogue piece with
// the transformed description. A group is the set of pieces reached from one
// piece by the transforms of a table: for the mirror table the flips top to
// bottom and left to right, for the rotate table the quarter turns.
//
// 1. Walk the catalogue in its order (walls, bridges, bunkers, switch frame,
//    decoration tiles, then the animations); each piece not yet grouped starts
//    a new group. Groups of one piece (a picture that every transform leaves
//    alone) get no row: a piece without a row is copied unchanged.
// 2. Slot 0 of a row is the group's smallest tile number or animation id.
//    Mirror rows: slot 0, its top-to-bottom mirror, its left-to-right mirror,
//    both. Rotate rows: slot 0 turned 0, 90, 180 and 270 degrees clockwise.
// 3. Some rows have long had fixed row numbers (saved mrdata.dat files and
//    the Customize window refer to them by number); they are pinned to those
//    numbers and the other rows fill the remaining numbers in walk order.
//    Tile rows come before animation rows, so the animation rows form the tail.

namespace quarl {

namespace {

struct Pin {
  int row;
  TileRef firstSlot;  // the pinned row is the one whose slot 0 is this
};

constexpr Pin kMirrorPins[] = {{0, 8}, {1, 9}, {6, 46}, {10, 88}, {165, 235 | ANIM_FLAG}};
constexpr Pin kRotatePins[] = {{0, kPipeStraightHorizontal}, {2, 8}, {5, 16}, {11, 88}};

TileRef ImageOf(const Piece& piece, SquareTransform t) {
  const Piece* image = FindPiece(TransformDescriptor(piece.descriptor, t));
  // A missing image would leave a hole in the catalogue; such a slot stays -1
  // ("copy unchanged"), and the table tests report it.
  return image ? image->ref : END_MARK;
}

std::vector<MirrorRotateEntry> DeriveRows(const SquareTransform (&row)[4]) {
  std::vector<MirrorRotateEntry> rows;
  std::set<TileRef> grouped;
  for (const Piece& piece : PieceCatalogue()) {
    if (grouped.count(piece.ref)) continue;
    std::set<TileRef> group;
    for (SquareTransform t : row) group.insert(ImageOf(piece, t));
    group.erase(END_MARK);
    grouped.insert(group.begin(), group.end());
    if (group.size() < 2) continue;
    const Piece* first = FindPieceByRef(*group.begin());
    MirrorRotateEntry entry;
    for (int slot = 0; slot < 4; ++slot) entry.slots[slot] = ImageOf(*first, row[slot]);
    rows.push_back(entry);
  }
  // Tile rows first; the walk already lists all tiles before the animations.
  std::stable_partition(rows.begin(), rows.end(),
                        [](const MirrorRotateEntry& e) { return (e.slots[0] & ANIM_FLAG) == 0; });
  return rows;
}

template <size_t N>
std::vector<MirrorRotateEntry> PinRows(std::vector<MirrorRotateEntry> rows, const Pin (&pins)[N]) {
  std::vector<MirrorRotateEntry> out(rows.size());
  std::vector<bool> taken(rows.size(), false);
  for (const Pin& pin : pins) {
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const MirrorRotateEntry& e) { return e.slots[0] == pin.firstSlot; });
    if (it == rows.end() || pin.row >= static_cast<int>(out.size())) continue;
    out[pin.row] = *it;
    taken[pin.row] = true;
    rows.erase(it);
  }
  size_t next = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (!taken[i]) out[i] = rows[next++];
  }
  return out;
}

}  // namespace

MirrorRotateTables DefaultMirrorRotateTables() {
  static const SquareTransform kMirrorSlots[4] = {kIdentity, kFlipVertical, kFlipHorizontal, kRotate180};
  static const SquareTransform kRotateSlots[4] = {kIdentity, kRotate90, kRotate180, kRotate270};
  MirrorRotateTables tables;
  tables.mirror.entries = PinRows(DeriveRows(kMirrorSlots), kMirrorPins);
  tables.rotate.entries = PinRows(DeriveRows(kRotateSlots), kRotatePins);
  return tables;
}

}  // namespace quarl
