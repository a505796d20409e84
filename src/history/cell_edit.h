#pragma once
// CellEdit: the one way an edit changes a map's cells. The edit names its
// history step up front; each cell it sets is saved as an undo level the
// first time, and Commit pushes the step once and marks the map modified.
// Tools say which cells become what; the edit keeps the history in order.

#include <cstdint>
#include <vector>

#include "map/map_document.h"

namespace quarl {

// A rectangle of cells: columns [left, right), rows [top, bottom).
struct CellRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool Empty() const { return left >= right || top >= bottom; }
  int32_t Width() const { return Empty() ? 0 : right - left; }
  int32_t Height() const { return Empty() ? 0 : bottom - top; }
  bool operator==(const CellRect&) const = default;
};

// The smallest rectangle holding both; an empty one adds nothing.
CellRect UnionOf(const CellRect& a, const CellRect& b);
// The part of the rectangle that lies inside the map; {0, 0, 0, 0} when none.
CellRect ClipToMap(const CellRect& rect);
// The w x h rectangle whose top-left cell is cellIndex (not clipped); empty
// when the index lies outside the map.
CellRect RectAt(int32_t cellIndex, int32_t width, int32_t height);

// What Commit does with the document's modified flag.
enum class ModifiedFlag {
  kSet,        // every edit but Paste
  kLeaveAlone  // Paste leaves the flag as it was
};

class CellEdit {
 public:
  // The edit will push `step` (kind 0..7, see HistoryKind in undo.h). The
  // step may reach past the map's edges or name no cell at all (start -1);
  // only its cells inside the map can be set.
  CellEdit(MapDocument& doc, const HistoryStep& step, ModifiedFlag modified = ModifiedFlag::kSet);
  // An edit that set cells commits itself here if it was not committed, so
  // saved levels never stay without their step. An edit that set nothing
  // and was not committed pushes nothing.
  ~CellEdit();
  CellEdit(const CellEdit&) = delete;
  CellEdit& operator=(const CellEdit&) = delete;

  // Writes all three words of a cell. The first set of a cell in this edit
  // saves its current values as an undo level; later sets only write. Cells
  // outside the map are ignored. A cell that is not one of the step's cells
  // is refused: an assertion in debug builds, ignored otherwise. So is any
  // set after Commit.
  void Set(int32_t cellIndex, const CellValues& values);
  void Set(int32_t column, int32_t row, const CellValues& values);

  // Pushes the step and sets modified (unless made with kLeaveAlone); a
  // second call does neither again. Returns the rectangle to repaint: the
  // bounding box of the cells this edit wrote, empty when it wrote none.
  CellRect Commit();

  const HistoryStep& Step() const { return step_; }
  bool Committed() const { return committed_; }

 private:
  MapDocument& doc_;
  HistoryStep step_;
  ModifiedFlag modified_;
  bool committed_ = false;
  std::vector<bool> saved_;  // one flag per map cell, made by the first Set
  CellRect written_;
};

}  // namespace quarl
