#include "editor/undo_commands.h"

#include "history/undo.h"

namespace quarl {
namespace {

int TakeBack(Editor& editor, std::optional<CellRect> (*step)(MapDocument&)) {
  MapDocument* doc = editor.ActiveDocument();
  if (!doc || !step(*doc)) return 0;
  if (editor.windows) editor.windows->RepaintWindow(editor.activeMapWindow);
  return 1;
}

}  // namespace

int UndoLastStep(Editor& editor) { return TakeBack(editor, UndoNewestStep); }
int RedoLastStep(Editor& editor) { return TakeBack(editor, RedoNewestStep); }

}  // namespace quarl
