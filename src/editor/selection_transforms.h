#pragma once
// Mirror and Rotate as the toolbox runs them: on the active map's selection,
// with the mirror direction from the tool state and the tables of the
// session. The cell work is history/transforms.h's.

#include "editor/editor.h"

namespace quarl {

// Writes the mirror image of the selection next to it, on the side of the
// current mirror direction; the selection stays. Without an active map: 0.
// Without a shown selection: the user is told string 7 and 0 returned.
// Otherwise the active map window is repainted and 1 returned.
int MirrorSelection(Editor& editor);

// Turns the selection a quarter turn clockwise about its top-left cell, and
// the selection takes the turned shape (cut at the map's edges). Without an
// active map or a selection (start -1): string 7, 0. Otherwise the active
// map window is repainted and 1 returned.
int RotateSelection(Editor& editor);

}  // namespace quarl
