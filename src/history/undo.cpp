#include "history/undo.h"

#include <vector>

namespace quarl {
namespace {

void PushStep(std::vector<HistoryStep>& steps, const HistoryStep& step) {
  if (static_cast<int>(steps.size()) >= kHistoryDepth) steps.erase(steps.begin());
  steps.push_back(step);
}

bool IsCellIndex(int32_t cellIndex) { return cellIndex >= 0 && cellIndex < kCellCount; }

// A saved level holds either the tile or the animation, never both.
CellValues SavedLevel(const Cell& cell) {
  if (cell.IsAnimated()) return {-1, cell.anim, cell.data};
  return {cell.tile, -1, -1};
}

using Stack = std::vector<CellValues> CellHistory::*;

void SaveLevel(MapDocument& doc, int32_t cellIndex, Stack stack) {
  if (!IsCellIndex(cellIndex)) return;
  const Cell& cell = doc.cells[static_cast<size_t>(cellIndex)];
  std::vector<CellValues>& levels = doc.cellHistories[cellIndex].*stack;
  if (static_cast<int>(levels.size()) >= kHistoryDepth) levels.erase(levels.begin());
  levels.push_back(SavedLevel(cell));
}

void DropLevel(MapDocument& doc, int32_t cellIndex, Stack stack) {
  if (!IsCellIndex(cellIndex)) return;
  auto found = doc.cellHistories.find(cellIndex);
  if (found == doc.cellHistories.end()) return;
  CellHistory& history = found->second;
  std::vector<CellValues>& levels = history.*stack;
  if (levels.empty()) return;
  levels.pop_back();
  if (!levels.empty()) return;
  levels.shrink_to_fit();
  if (history.undo.empty() && history.redo.empty()) doc.cellHistories.erase(found);
}

// Takes back the newest step of one side: the step moves to the other side,
// and each of its cells that has a level on this side gets it back while its
// current values go onto the other side's stack.
std::optional<CellRect> TakeBackStep(MapDocument& doc, bool undo) {
  std::vector<HistoryStep>& from = undo ? doc.undoSteps : doc.redoSteps;
  if (from.empty()) return std::nullopt;
  const HistoryStep step = from.back();
  from.pop_back();
  PushStep(undo ? doc.redoSteps : doc.undoSteps, step);

  const Stack source = undo ? &CellHistory::undo : &CellHistory::redo;
  const Stack target = undo ? &CellHistory::redo : &CellHistory::undo;
  ForEachStepCell(step, [&](int32_t cellIndex) {
    const CellHistory* history = doc.CellHistoryOf(cellIndex);
    if (!history || (history->*source).empty()) return;
    SaveLevel(doc, cellIndex, target);
    // The cell has an entry already, so SaveLevel adds to it and history stays valid.
    doc.cells[static_cast<size_t>(cellIndex)].SetValues((history->*source).back());
    DropLevel(doc, cellIndex, source);
  });
  return StepArea(step);
}

bool InRect(int32_t r, int32_t c, int32_t width, int32_t height) {
  return r >= 0 && r < height && c >= 0 && c < width;
}

}  // namespace

void PushUndoStep(MapDocument& doc, int32_t cell, int32_t width, int32_t height, int32_t kind) {
  PushStep(doc.undoSteps, {cell, width, height, kind});
}

void PushRedoStep(MapDocument& doc, int32_t cell, int32_t width, int32_t height, int32_t kind) {
  PushStep(doc.redoSteps, {cell, width, height, kind});
}

void SaveCellUndo(MapDocument& doc, int32_t cellIndex) { SaveLevel(doc, cellIndex, &CellHistory::undo); }
void SaveCellRedo(MapDocument& doc, int32_t cellIndex) { SaveLevel(doc, cellIndex, &CellHistory::redo); }
void DropCellUndo(MapDocument& doc, int32_t cellIndex) { DropLevel(doc, cellIndex, &CellHistory::undo); }
void DropCellRedo(MapDocument& doc, int32_t cellIndex) { DropLevel(doc, cellIndex, &CellHistory::redo); }

std::optional<CellRect> UndoNewestStep(MapDocument& doc) { return TakeBackStep(doc, true); }
std::optional<CellRect> RedoNewestStep(MapDocument& doc) { return TakeBackStep(doc, false); }

bool StepKindHasCell(int32_t kind, int32_t r, int32_t c, int32_t width, int32_t height) {
  const bool top = r == 0, bottom = r == height - 1;
  const bool left = c == 0, right = c == width - 1;
  switch (kind) {
    case HISTORY_REGION: return true;
    case HISTORY_BUNKER_UP: return top || left || right;
    case HISTORY_BUNKER_DOWN: return bottom || left || right;
    case HISTORY_BUNKER_LEFT: return top || bottom || left;
    case HISTORY_BUNKER_RIGHT: return top || bottom || right;
    case HISTORY_SPAWN_PLUS: return (r == 0 && c == 1) || r == 1 || (r == 2 && c == 1);
    case HISTORY_SPAWN_CROSS: return ((r == 0 || r == 2) && (c == 0 || c == 2)) || (r == 1 && c == 1);
    case HISTORY_ROTATE: return true;
    default: return false;
  }
}

bool StepHasCell(const HistoryStep& step, int32_t cellIndex) {
  if (!IsCellIndex(step.cell) || !IsCellIndex(cellIndex)) return false;
  const int32_t r = cellIndex / kMapCells - step.cell / kMapCells;
  const int32_t c = cellIndex % kMapCells - step.cell % kMapCells;
  if (step.kind == HISTORY_ROTATE) {
    return InRect(r, c, step.width, step.height) || InRect(r, c, step.height, step.width);
  }
  return InRect(r, c, step.width, step.height) && StepKindHasCell(step.kind, r, c, step.width, step.height);
}

CellRect StepArea(const HistoryStep& step) {
  if (step.kind < HISTORY_REGION || step.kind > HISTORY_ROTATE) return {};
  CellRect area = RectAt(step.cell, step.width, step.height);
  if (step.kind == HISTORY_ROTATE) area = UnionOf(area, RectAt(step.cell, step.height, step.width));
  return ClipToMap(area);
}

}  // namespace quarl
