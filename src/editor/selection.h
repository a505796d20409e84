#pragma once
// A map window's selection: Select All, Fill Selection, Delete, and moving
// and resizing the selection with the arrow keys. The rubber band that makes
// a selection is the click tools' (editing_tools.h).

#include "editor/editor.h"

namespace quarl {

// Selects the whole map in the window: the rectangle (0, 0, 4096, 4096)
// shown, the cells start 0, width 256, height 256; the window is repainted
// with its new outline. Returns 1, or 0 when the window has no map.
int SelectAll(Editor& editor, WindowId window);

// Fills the window's shown selection rectangle, as one step, with the
// current tile block (repeated from the top-left cell, cut at the region's
// right and bottom) or, in animation mode, with the current animation and
// the anim offset as data over each cell's tile word; then an animation that
// is a switch, flag or pole asks about the game type. Returns 1, or -1 when
// the window has no map or no shown selection.
int FillSelection(Editor& editor, WindowId window);

// Blanks every cell of the selection the commands work on (shown or not), as
// one step. Without a selection the step (-1, -1, -1) is still recorded and
// the map marked modified, though no cell changes. Returns 1, or 0 when the
// window has no map.
int DeleteSelection(Editor& editor, WindowId window);

enum class SelectionKey { kLeft, kRight, kUp, kDown, kF1 };

// The window's client size and scroll positions when a key arrives.
struct KeyViewport {
  int32_t scrollX = 0;
  int32_t scrollY = 0;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
};

// Line scrolls the window must send after a key (negative: left or up).
struct KeyScroll {
  int32_t horizontalLines = 0;
  int32_t verticalLines = 0;
  bool operator==(const KeyScroll&) const = default;
};

// An arrow key (alt false) moves the shown selection one cell, or scrolls
// one line when none is shown; Alt+arrow grows it on the arrow's side (edge
// mode 0) or shrinks it from the other side (mode 1; a selection one cell
// thick moves instead). Moves that would leave the map do nothing. F1
// toggles the edge mode. The window is repainted; the scrolls that keep the
// selection in view are returned for the window to make.
KeyScroll PressSelectionKey(Editor& editor, WindowId window, SelectionKey key, bool alt, const KeyViewport& viewport);

}  // namespace quarl
