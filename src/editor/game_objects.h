#pragma once
// The object tools: team flags, flag poles and switches as 3 x 3 blocks,
// spawns, and the holding pens, conveyors, bunkers and bridges fitted to a
// rubber-band rectangle, each written from the piece tables of
// map/tile_tables.h as one history step; and the game-type questions that
// placing a flag, a pole or a switch (or such an animation) asks.

#include <cstdint>

#include "base/user_interface.h"
#include "editor/editing_tools.h"
#include "map/map_document.h"

namespace quarl {

// Placing and filling word the question differently ("set the game type" and
// "set game type").
enum class QuestionWording { kPlacing, kFilling };

// After an animation was placed or filled in: the switch animation asks to
// make the map a Switch game unless it is one, and an animation that is a
// flag or a pole of team 0..3 asks to make it a Flag game unless it is one.
// Yes sets gameType; No leaves it, to be asked again next time.
void AskGameTypeForAnimation(UserInterface& ui, MapDocument& doc, int32_t anim, QuestionWording wording);

// The Switch Dropper at cell (column, row), the block's top-left cell: one
// 3 x 3 step; the centre becomes the switch animation (data 0), the other
// eight cells the switch's tiles, cut at the map's edges. Clears the hover
// outline and hides the selection, repaints the window; a press then asks
// to make the map a Switch game. Returns 1 when placed, 0 when the window
// has no map or the cell lies outside it.
int PlaceSwitch(Editor& editor, WindowId window, int32_t column, int32_t row, Gesture gesture);

// The Flag Dropper (pole false) and the Flag Pole Dropper (pole true) at cell
// (column, row): one 3 x 3 step of the current team's flag animations (data
// 0); a pole's centre is the pole of the current team holding the pole flag
// team's flag. Cut at the map's edges; clears the hover outline, hides the
// selection, repaints; a press then asks to make the map a Flag game.
int PlaceFlag(Editor& editor, WindowId window, int32_t column, int32_t row, bool pole, Gesture gesture);

// The Spawn Dropper at cell (column, row). A single-cell spawn writes the
// team's spawn animation with the anim offset as data over the cell's tile
// word. A five-cell spawn writes the style's centre tile and its four
// animations, on the plus (styles 0 and 1) or the corners (style 2) of the
// 3 x 3 block, as a step of exactly those five cells. Neutral uses Green's
// row. No question, no selection change.
int PlaceSpawn(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset);

// The objects fitted to a finished rubber band, over the region of cells the
// window's selection rectangle covers (which stays selected). Each is one
// step, clipped at the map's edges, and repaints the window.
//
// Holding pen: the filler everywhere but the centre cell (w/2, h/2), which
// gets the current team's marker (the filler for Neutral); pen kind 0
// writes tiles, kind 1 animations with the anim offset as data.
int BuildHoldingPen(Editor& editor, WindowId window, int32_t animOffset);
// Conveyor: a band two rows high along the region's top (left and right
// conveyors) or two columns wide along its left (up and down), whatever the
// region's other side; the step covers the band alone.
int BuildConveyor(Editor& editor, WindowId window, int32_t animOffset);
// Bunker facing the way of `variant` (TOOL_BUNKER_LEFT..TOOL_BUNKER_DOWN):
// the current bunker type's tiles along three sides of the region, as a step
// of exactly those sides.
int BuildBunker(Editor& editor, WindowId window, int32_t variant);
// Bridge running TOOL_BRIDGE_UP_DOWN or TOOL_BRIDGE_LEFT_RIGHT: every cell of
// the region from the bridge tiles by its row and column class.
int BuildBridge(Editor& editor, WindowId window, int32_t variant);

}  // namespace quarl
