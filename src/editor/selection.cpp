#include "editor/selection.h"

namespace quarl {

int SelectAll(Editor& editor, WindowId window) {
  MapView* view = editor.maps.FindView(window);
  if (!view) return 0;
  view->selection = Rect{0, 0, kMapPixels, kMapPixels};
  view->selectionShown = 1;
  view->selectionCells = SelectionCells{0, kMapCells, kMapCells};
  // The repaint draws the outline of the shown selection over the cells.
  if (editor.windows) editor.windows->RepaintWindow(window);
  return 1;
}

}  // namespace quarl
