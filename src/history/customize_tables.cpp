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

}  // namespace quarl
