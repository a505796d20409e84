#include "history/customize_tables.h"

namespace quarl {

MirrorRotateTable& ShownTable(MirrorRotateTables& tables, const CustomizeState& state) {
  return state.shownTable == CUSTOMIZE_MIRROR_TABLE ? tables.mirror : tables.rotate;
}

int32_t ClampedSelection(int32_t selected, int32_t count) { return selected < count ? selected : count - 1; }

void ShowCustomizeTable(CustomizeState& state, MirrorRotateTables& tables, int32_t table) {
  state.shownTable = table == CUSTOMIZE_MIRROR_TABLE ? CUSTOMIZE_MIRROR_TABLE : CUSTOMIZE_ROTATE_TABLE;
  state.selectedEntry = ClampedSelection(state.selectedEntry, ShownTable(tables, state).Count());
}

void DeleteSelectedEntry(CustomizeState& state, MirrorRotateTables& tables) {
  MirrorRotateTable& table = ShownTable(tables, state);
  table.Delete(state.selectedEntry);
  state.selectedEntry = ClampedSelection(state.selectedEntry, table.Count());
}

void AddCustomizeEntry(CustomizeState& state, MirrorRotateTables& tables) { ShownTable(tables, state).Add(); }

int CustomizeSlotAt(int x, int listWidth) {
  const int w = listWidth;
  if (x < 16) return 0;
  if (x >= 64 && x <= 80) return 1;
  if (x > w - 83 && x < w - 65) return 2;
  if (x > w - 21 && x < w - 3) return 3;
  return -1;
}

bool ClickCustomizeEntry(CustomizeState& state, MirrorRotateTables& tables, int32_t row, int slot) {
  MirrorRotateTable& table = ShownTable(tables, state);
  if (row < 0 || row >= table.Count()) return false;
  state.selectedEntry = row;
  if (slot >= 0 && slot < 4) {
    table.entries[static_cast<size_t>(row)].slots[static_cast<size_t>(slot)] =
        state.pickedAnimationFlag ? static_cast<TileRef>(state.pickedAnimation) | ANIM_FLAG
                                  : static_cast<TileRef>(state.pickedTile);
  }
  return true;
}

void PickCustomizeTile(CustomizeState& state, int x, int y, int hpos, int vpos) {
  state.pickedTile = (vpos / 16 + y / 16) * 40 + x / 16 + hpos / 16;
  state.pickedAnimationFlag = 0;
}

void PickCustomizeAnimation(CustomizeState& state, int y, int vpos) {
  state.pickedAnimation = y / 16 + vpos / 16;
  state.pickedAnimationFlag = 1;
}

}  // namespace quarl
