#pragma once
// Mirror and Rotate of a region, each one CellEdit. Tiles and animations
// change through the mirror and rotate tables; those without an entry are
// copied unchanged. The selection, its outline and the messages are the
// caller's.

#include <cstdint>

#include "history/cell_edit.h"
#include "history/mirror_rotate_tables.h"
#include "map/map_document.h"

namespace quarl {

// Where Mirror writes its image, as the toolbox's mirror popup numbers it.
enum MirrorDirection : int32_t { MIRROR_LEFT = 0, MIRROR_RIGHT = 1, MIRROR_UP = 2, MIRROR_DOWN = 3 };

// Writes the mirror image of the width x height region at startCell into the
// rectangle of the same size next to it on the given side: flipped left to
// right (horizontal mirrors) for Left and Right, top to bottom (vertical
// mirrors) for Up and Down. Image cells outside the map are skipped, and the
// step (kind 0) covers only the image's part inside the map; when none of it
// is, the step is (-1, 0, 0, 0). Modified is set. Nothing is done (no step)
// for a start outside the map, a negative size or a direction outside 0..3.
// Returns the rectangle written.
CellRect MirrorRegion(MapDocument& doc, const MirrorRotateTables& tables, int32_t startCell,
                      int32_t width, int32_t height, int32_t direction);

struct RotatedRegion {
  CellRect repaint;    // the cells written (blanked or turned)
  int32_t width = 0;   // the selection after the turn, cut at the map's edges
  int32_t height = 0;
};

// Turns the width x height region at startCell a quarter turn clockwise about
// its top-left cell: rows AB over CD come out as CA over DB, each value
// through the rotate table. Cells of the region outside the turned shape
// (height wide, width tall) become blank; turned cells beyond the map are
// dropped. One step (startCell, width, height, kind 7); modified set. The
// new selection is height x width, cut so it ends at the map's last column
// and row. Nothing is done (no step, the size returned unchanged) for a
// start outside the map or a negative size.
RotatedRegion RotateRegion(MapDocument& doc, const MirrorRotateTables& tables, int32_t startCell,
                           int32_t width, int32_t height);

}  // namespace quarl
