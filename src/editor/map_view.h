#pragma once
// What one map window shows of its document: the window itself, its status
// bar, the selection, the hover outline and the auto-pan flags.

#include <array>
#include <cstdint>

#include "base/geometry.h"
#include "map/map_document.h"

namespace quarl {

// A selection in cells: the index of its top-left cell, its width and height.
// All -1 while there is none.
struct SelectionCells {
  int32_t start = -1;
  int32_t width = -1;
  int32_t height = -1;
  bool operator==(const SelectionCells&) const = default;
};

// The cells a selection rectangle (map pixels, on the grid) covers.
SelectionCells SelectionCellsOf(const Rect& selection);

enum AutoPanDirection { PAN_LEFT = 0, PAN_RIGHT = 1, PAN_UP = 2, PAN_DOWN = 3 };

struct MapView {
  WindowId window = 0;
  WindowId statusBar = 0;
  Rect selection;  // map pixels, multiples of 16; kept when the selection is hidden
  int32_t selectionShown = 0;
  // The selection the editing commands work on while this view is the active
  // one. Activation sets it from the rectangle (or -1s when none is shown);
  // hiding the rectangle leaves it, so Delete still finds the last one.
  SelectionCells selectionCells;
  Rect hoverRect;  // all four equal: no outline
  std::array<uint8_t, 4> autoPan{};  // at most one AutoPanDirection set
};

}  // namespace quarl
