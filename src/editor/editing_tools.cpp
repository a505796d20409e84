#include "editor/editing_tools.h"

#include "editor/game_objects.h"
#include "history/cell_edit.h"
#include "history/undo.h"

namespace quarl {
namespace {

constexpr int32_t kSheetColumns = 40;  // tiles in a row of the tile sheet

bool InMap(int32_t column, int32_t row) {
  return column >= 0 && column < kMapCells && row >= 0 && row < kMapCells;
}

}  // namespace

int PlaceWithEditTool(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset,
                      Gesture gesture) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || !InMap(column, row)) return 0;
  MapDocument& doc = *map->doc;
  const ToolState& tools = editor.tools;
  const int32_t cell = row * kMapCells + column;

  if (tools.animationMode == 0) {
    CellEdit edit(doc, {cell, tools.blockWidth, tools.blockHeight, HISTORY_REGION});
    for (int32_t r = 0; r < tools.blockHeight && row + r < kMapCells; ++r) {
      for (int32_t c = 0; c < tools.blockWidth && column + c < kMapCells; ++c) {
        edit.Set(column + c, row + r, {tools.currentTile + r * kSheetColumns + c, -1, -1});
      }
    }
    edit.Commit();
    map->view.selectionShown = 0;
    if (editor.windows) editor.windows->RepaintWindow(window);
    return 1;
  }

  CellEdit edit(doc, {cell, 1, 1, HISTORY_REGION});
  edit.Set(cell, {-1, tools.currentAnimation, animOffset});
  edit.Commit();
  if (gesture == Gesture::kDrag) map->view.selectionShown = 0;
  if (editor.windows) editor.windows->RepaintWindow(window);
  if (gesture == Gesture::kPress && editor.ui) {
    AskGameTypeForAnimation(*editor.ui, doc, tools.currentAnimation, QuestionWording::kPlacing);
  }
  return 1;
}

}  // namespace quarl
