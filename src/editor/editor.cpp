#include "editor/editor.h"

namespace quarl {

SelectionCells Editor::Selection() const {
  const MapView* view = ActiveView();
  return view ? view->selectionCells : SelectionCells{};
}

void ActivateMapWindow(Editor& editor, WindowId window) {
  editor.activeMapWindow = window;
  if (MapView* view = editor.maps.FindView(window)) {
    view->selectionCells = view->selectionShown == 1 ? SelectionCellsOf(view->selection) : SelectionCells{};
  }
}

WindowId CloseMapWindow(Editor& editor, WindowId window) {
  editor.maps.RemoveMapDocument(window);
  const OpenMap* first = editor.maps.First();
  editor.activeMapWindow = first ? first->view.window : 0;
  return editor.activeMapWindow;
}

}  // namespace quarl
