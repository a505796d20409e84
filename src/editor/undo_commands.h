#pragma once
// Undo and Redo as the editor's commands run them: on the active map, with
// its window repainted.

#include "editor/editor.h"

namespace quarl {

// 1 when a step was taken back, 0 when there is no active map or nothing to
// undo (redo).
int UndoLastStep(Editor& editor);
int RedoLastStep(Editor& editor);

}  // namespace quarl
