#include "editor/selection_transforms.h"

#include "base/string_table.h"
#include "history/transforms.h"

namespace quarl {
namespace {

int NoSelection(Editor& editor) {
  if (editor.ui) editor.ui->Tell(StringText(IDS_NO_SELECTION), "Error - Non-Fatal");
  return 0;
}

void RepaintActive(Editor& editor) {
  if (editor.windows) editor.windows->RepaintWindow(editor.activeMapWindow);
}

}  // namespace

int MirrorSelection(Editor& editor) {
  MapDocument* doc = editor.ActiveDocument();
  MapView* view = editor.ActiveView();
  if (!doc || !view) return 0;
  if (view->selectionShown != 1) return NoSelection(editor);
  const SelectionCells selection = view->selectionCells;
  MirrorRegion(*doc, editor.tables, selection.start, selection.width, selection.height,
               editor.tools.mirrorDirection);
  RepaintActive(editor);
  return 1;
}

int RotateSelection(Editor& editor) {
  MapDocument* doc = editor.ActiveDocument();
  MapView* view = editor.ActiveView();
  if (!doc || !view || view->selectionCells.start < 0) return NoSelection(editor);
  SelectionCells& selection = view->selectionCells;
  const RotatedRegion turned = RotateRegion(*doc, editor.tables, selection.start, selection.width, selection.height);
  selection.width = turned.width;
  selection.height = turned.height;
  const int32_t left = selection.start % kMapCells * kCellPixels;
  const int32_t top = selection.start / kMapCells * kCellPixels;
  view->selection = Rect{left, top, left + turned.width * kCellPixels, top + turned.height * kCellPixels};
  RepaintActive(editor);
  return 1;
}

}  // namespace quarl
