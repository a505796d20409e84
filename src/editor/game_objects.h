#pragma once
// The object tools: team flags, flag poles and switches as 3 x 3 blocks,
// spawns, and the holding pens, conveyors, bunkers and bridges fitted to a
// rubber-band rectangle, each written from the piece tables of
// map/tile_tables.h as one history step; and the game-type questions that
// placing a flag, a pole or a switch (or such an animation) asks.
// Here so far: the switch and the questions. The other objects come next.

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

}  // namespace quarl
