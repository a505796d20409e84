#pragma once
// The click tools' gestures in a map window: what a press, and each new cell
// entered while the left button is held, does with the current tool. The
// capture loop that reports the press and the cells is the map window's.
// Here so far: placing with the Edit tool. The Tile Picker, the rubber band
// of the rectangle tools and the dispatch by tool come next.

#include <cstdint>

#include "base/geometry.h"
#include "editor/editor.h"

namespace quarl {

// A press starts a gesture; each new cell entered while the button is held
// is a drag step. Only a press asks the game-type questions.
enum class Gesture { kPress, kDrag };

// The Edit tool at cell (column, row) of the window's map, as one history
// step. Out of animation mode it writes the current tile block with its
// top-left tile on the cell, dropping what lies past the map's right or
// bottom edge (the step still names the whole block), and hides the
// selection. In animation mode it writes the current animation with
// animOffset as its data into that one cell; a press then asks about the
// game type (a switch or a team's flag or pole), a drag step hides the
// selection instead. The window is repainted. Returns 1 when it placed, 0
// when the window has no map or the cell lies outside it.
int PlaceWithEditTool(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset,
                      Gesture gesture);

}  // namespace quarl
