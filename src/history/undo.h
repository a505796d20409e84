#pragma once
// Undo and redo. A history step only names a region of the map (top-left
// cell, width, height and a kind that picks cells out of the rectangle); the
// old values live on each cell's own undo and redo stacks.
//
// Every edit records itself the same way: SaveCellUndo for each cell right
// before it changes, and one PushUndoStep for the region whose kind covers
// exactly the saved cells. Undo restores one level of every cell of the step
// that has one, so a step naming a cell that its edit did not save would take
// a level belonging to an older step. CellEdit (cell_edit.h) keeps to this
// rule for an edit; go through it rather than calling these directly.

#include <cstdint>
#include <optional>

#include "history/cell_edit.h"
#include "map/map_document.h"

namespace quarl {

// Which cells of a W x H step rectangle (row r, column c) belong to a step.
enum HistoryKind : int32_t {
  HISTORY_REGION = 0,        // every cell
  HISTORY_BUNKER_UP = 1,     // r = 0, c = 0 or c = W - 1
  HISTORY_BUNKER_DOWN = 2,   // r = H - 1, c = 0 or c = W - 1
  HISTORY_BUNKER_LEFT = 3,   // r = 0, r = H - 1 or c = 0
  HISTORY_BUNKER_RIGHT = 4,  // r = 0, r = H - 1 or c = W - 1
  HISTORY_SPAWN_PLUS = 5,    // the plus of a 3 x 3 block
  HISTORY_SPAWN_CROSS = 6,   // the corners and centre of a 3 x 3 block
  HISTORY_ROTATE = 7,        // the W x H rectangle and the H x W one at the same corner
};

// Appends a step; at kHistoryDepth steps the oldest one is lost.
void PushUndoStep(MapDocument& doc, int32_t cell, int32_t width, int32_t height, int32_t kind);
void PushRedoStep(MapDocument& doc, int32_t cell, int32_t width, int32_t height, int32_t kind);

// Saves the cell's current values as its newest undo (redo) level; at
// kHistoryDepth levels the oldest one is lost. An animated cell is saved as
// (tile -1, anim, data), a plain one as (tile, -1, -1). Indexes outside the
// map are ignored.
void SaveCellUndo(MapDocument& doc, int32_t cellIndex);
void SaveCellRedo(MapDocument& doc, int32_t cellIndex);

// Removes the newest undo (redo) level of the cell; nothing when it has none.
// A cell whose stacks are both empty gives its history storage back.
void DropCellUndo(MapDocument& doc, int32_t cellIndex);
void DropCellRedo(MapDocument& doc, int32_t cellIndex);

// Undoes (redoes) the newest step of the document. Returns StepArea of the
// step, which the caller repaints; nullopt when there was no step to take
// back.
std::optional<CellRect> UndoNewestStep(MapDocument& doc);
std::optional<CellRect> RedoNewestStep(MapDocument& doc);

// Whether the cell at row r, column c of a W x H rectangle belongs to a step
// of this kind. For HISTORY_ROTATE this answers for the W x H rectangle
// only (all of it); the rest of that kind is walked by ForEachStepCell.
// Kinds outside 0..7 hold no cells.
bool StepKindHasCell(int32_t kind, int32_t r, int32_t c, int32_t width, int32_t height);

// Whether the cell is one that ForEachStepCell visits for the step.
bool StepHasCell(const HistoryStep& step, int32_t cellIndex);

// The area to repaint after the step: its rectangle (for the rotate kind
// joined with the turned one) clipped to the map. Empty when the step holds
// no cell inside the map (a top-left cell outside it, a kind outside 0..7).
CellRect StepArea(const HistoryStep& step);

namespace history_detail {
// Visits rows [r0, r1) and columns [c0, c1) counted from the top-left cell
// (row0, col0) that belongs(r, c) accepts, stopping at the map's last row and
// column.
template <class Belongs, class Visit>
void WalkBlock(int32_t row0, int32_t col0, int32_t r0, int32_t r1, int32_t c0, int32_t c1,
               Belongs&& belongs, Visit& visit) {
  for (int32_t r = r0; r < r1 && row0 + r < kMapCells; ++r) {
    for (int32_t c = c0; c < c1 && col0 + c < kMapCells; ++c) {
      if (belongs(r, c)) visit((row0 + r) * kMapCells + col0 + c);
    }
  }
}
}  // namespace history_detail

// Calls visit(cellIndex) for every cell of the step that lies inside the map,
// row by row. Undo and Redo both walk steps with it.
template <class Visit>
void ForEachStepCell(const HistoryStep& step, Visit&& visit) {
  if (step.cell < 0 || step.cell >= kCellCount) return;
  const int32_t row0 = step.cell / kMapCells;
  const int32_t col0 = step.cell % kMapCells;
  const int32_t w = step.width;
  const int32_t h = step.height;
  auto ofKind = [&step](int32_t r, int32_t c) {
    return StepKindHasCell(step.kind, r, c, step.width, step.height);
  };
  auto every = [](int32_t, int32_t) { return true; };
  if (step.kind != HISTORY_ROTATE) {
    history_detail::WalkBlock(row0, col0, 0, h, 0, w, ofKind, visit);
    return;
  }
  // The turned rectangle is H wide and W tall: what it adds to the W x H one
  // lies below it when the step is wider than tall, else to its right.
  history_detail::WalkBlock(row0, col0, 0, h, 0, w, every, visit);
  if (h <= w) {
    history_detail::WalkBlock(row0, col0, h, w, 0, h, every, visit);
  } else {
    history_detail::WalkBlock(row0, col0, 0, w, w, h, every, visit);
  }
}

}  // namespace quarl
