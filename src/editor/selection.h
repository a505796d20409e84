#pragma once
// A map window's selection: Select All, Fill Selection, Delete, and moving
// and resizing the selection with the arrow keys. The rubber band that makes
// a selection is the click tools' (editing_tools.h).
// Here so far: Select All. The others come next.

#include "editor/editor.h"

namespace quarl {

// Selects the whole map in the window: the rectangle (0, 0, 4096, 4096)
// shown, the cells start 0, width 256, height 256; the window is repainted
// with its new outline. Returns 1, or 0 when the window has no map.
int SelectAll(Editor& editor, WindowId window);

}  // namespace quarl
