#include "history/cell_edit.h"

#include <algorithm>
#include <cassert>

#include "history/undo.h"

namespace quarl {

CellRect UnionOf(const CellRect& a, const CellRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

CellRect ClipToMap(const CellRect& rect) {
  const CellRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, kMapCells),
                         std::min(rect.bottom, kMapCells)};
  return clipped.Empty() ? CellRect{} : clipped;
}

CellRect RectAt(int32_t cellIndex, int32_t width, int32_t height) {
  if (cellIndex < 0 || cellIndex >= kCellCount) return {};
  const int32_t column = cellIndex % kMapCells;
  const int32_t row = cellIndex / kMapCells;
  // Widths come from 32-bit history steps; keep the sums from overflowing.
  const int32_t w = std::clamp(width, 0, kMapCells);
  const int32_t h = std::clamp(height, 0, kMapCells);
  return {column, row, column + w, row + h};
}

CellEdit::CellEdit(MapDocument& doc, const HistoryStep& step, ModifiedFlag modified)
    : doc_(doc), step_(step), modified_(modified) {}

CellEdit::~CellEdit() {
  if (!committed_ && !written_.Empty()) Commit();
}

void CellEdit::Set(int32_t cellIndex, const CellValues& values) {
  if (cellIndex < 0 || cellIndex >= kCellCount) return;
  const bool belongs = StepHasCell(step_, cellIndex);
  assert(belongs && "the cell is not one of the edit's step");
  if (!belongs) return;
  // Once committed, further writes would have no step to undo them by.
  assert(!committed_ && "set after commit");
  if (committed_) return;

  if (saved_.empty()) saved_.resize(kCellCount);
  const size_t i = static_cast<size_t>(cellIndex);
  if (!saved_[i]) {
    SaveCellUndo(doc_, cellIndex);
    saved_[i] = true;
  }
  doc_.cells[i].SetValues(values);
  const int32_t column = cellIndex % kMapCells;
  const int32_t row = cellIndex / kMapCells;
  written_ = UnionOf(written_, {column, row, column + 1, row + 1});
}

void CellEdit::Set(int32_t column, int32_t row, const CellValues& values) {
  if (column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return;
  Set(row * kMapCells + column, values);
}

CellRect CellEdit::Commit() {
  if (!committed_) {
    committed_ = true;
    PushUndoStep(doc_, step_.cell, step_.width, step_.height, step_.kind);
    if (modified_ == ModifiedFlag::kSet) doc_.modified = 1;
  }
  return written_;
}

}  // namespace quarl
