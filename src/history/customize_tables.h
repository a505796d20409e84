#pragma once
// The Customize Mirror/Rotate window's state that outlives the window (the
// table it shows, the selected entry, the last tile or animation picked) and
// the edits its buttons make to the live tables. The window itself is
// history/win/customize_window.h.

#include <cstdint>

#include "history/mirror_rotate_tables.h"

namespace quarl {

enum CustomizeTable : int32_t { CUSTOMIZE_ROTATE_TABLE = 0, CUSTOMIZE_MIRROR_TABLE = 1 };

struct CustomizeState {
  int32_t shownTable = CUSTOMIZE_ROTATE_TABLE;
  int32_t selectedEntry = 0;
  int32_t pickedTile = 0;
  int32_t pickedAnimation = 0;
  int32_t pickedAnimationFlag = 0;  // 1 when the last pick was an animation
};

MirrorRotateTable& ShownTable(MirrorRotateTables& tables, const CustomizeState& state);

// The selected entry of a table of `count` entries: one at or past the end
// moves to the last entry, which is -1 (none) for an empty table.
int32_t ClampedSelection(int32_t selected, int32_t count);

// "Rotate Table" or "Mirror Table": shows that table; the selection is kept
// when the table is long enough, else it moves to the last entry.
void ShowCustomizeTable(CustomizeState& state, MirrorRotateTables& tables, int32_t table);

// "Delete": removes the selected entry of the shown table (nothing when no
// entry is selected), and the selection stays in the table.
void DeleteSelectedEntry(CustomizeState& state, MirrorRotateTables& tables);

// The slot of an entry list row whose hot zone holds x (list client
// coordinates, the list listWidth pixels wide): slot 0 left of 16, slot 1
// from 64 to 80, slot 2 between listWidth - 83 and listWidth - 65, slot 3
// between listWidth - 21 and listWidth - 3 (both ends excluded); -1 elsewhere.
int CustomizeSlotAt(int x, int listWidth);

// A left click on row `row` of the entry list: a row past the shown table's
// end changes nothing (false). Otherwise the row becomes the selected entry
// and, when slot is 0..3, that slot takes the last pick: the picked animation
// with ANIM_FLAG, or the picked tile.
bool ClickCustomizeEntry(CustomizeState& state, MirrorRotateTables& tables, int32_t row, int slot);

// A click at (x, y) in the tile picker scrolled to (hpos, vpos), which shows
// the sheet 40 tiles wide: that tile becomes the pick.
void PickCustomizeTile(CustomizeState& state, int x, int y, int hpos, int vpos);

// A click at y in the animation picker scrolled to vpos, one 16-pixel row
// per animation id: that id becomes the pick.
void PickCustomizeAnimation(CustomizeState& state, int y, int vpos);

// "Add": appends an entry of four tile-0 slots to the shown table (nothing
// when it is full); the selection does not move.
void AddCustomizeEntry(CustomizeState& state, MirrorRotateTables& tables);

}  // namespace quarl
