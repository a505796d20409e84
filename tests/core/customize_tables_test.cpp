#include "history/customize_tables.h"

#include <gtest/gtest.h>

namespace quarl {
namespace {

MirrorRotateTable TableOf(int count) {
  MirrorRotateTable table;
  for (int i = 0; i < count; ++i) table.entries.push_back({{static_cast<TileRef>(i), 0, 0, 0}});
  return table;
}

TEST(CustomizeTables, SwitchingToAShorterTableMovesTheSelectionToItsEnd) {
  MirrorRotateTables tables{TableOf(3), TableOf(10)};  // mirror, rotate
  CustomizeState state;
  state.selectedEntry = 7;
  ShowCustomizeTable(state, tables, CUSTOMIZE_ROTATE_TABLE);
  EXPECT_EQ(state.selectedEntry, 7);
  ShowCustomizeTable(state, tables, CUSTOMIZE_MIRROR_TABLE);
  EXPECT_EQ(state.shownTable, CUSTOMIZE_MIRROR_TABLE);
  EXPECT_EQ(state.selectedEntry, 2);
  EXPECT_EQ(&ShownTable(tables, state), &tables.mirror);
  state.selectedEntry = 3;  // at the end
  ShowCustomizeTable(state, tables, CUSTOMIZE_MIRROR_TABLE);
  EXPECT_EQ(state.selectedEntry, 2);
}

TEST(CustomizeTables, DeleteKeepsTheSelectionInsideAndAddLeavesIt) {
  MirrorRotateTables tables{TableOf(0), TableOf(2)};
  CustomizeState state;
  state.selectedEntry = 1;
  DeleteSelectedEntry(state, tables);  // the last entry
  EXPECT_EQ(tables.rotate.Count(), 1);
  EXPECT_EQ(tables.rotate.entries[0].slots[0], 0u);
  EXPECT_EQ(state.selectedEntry, 0);
  DeleteSelectedEntry(state, tables);
  EXPECT_EQ(tables.rotate.Count(), 0);
  EXPECT_EQ(state.selectedEntry, -1);
  DeleteSelectedEntry(state, tables);  // nothing selected: nothing happens
  EXPECT_EQ(state.selectedEntry, -1);
  AddCustomizeEntry(state, tables);
  EXPECT_EQ(tables.rotate.Count(), 1);
  EXPECT_EQ(tables.mirror.Count(), 0);
  EXPECT_EQ(state.selectedEntry, -1);
}

}  // namespace
}  // namespace quarl
