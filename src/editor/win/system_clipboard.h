#pragma once
// Copy, Cut and Paste through the Windows clipboard, in the editor's own
// registered format "ZOR". The bytes and what they do to the map are the
// engine's (editor/clipboard_commands.h).

#include <windows.h>

#include "editor/editor.h"

namespace quarl::win {

// The registered format "ZOR"; 0 when it could not be registered.
UINT ZorClipboardFormat();

// Puts the active map's selection on the clipboard, owned by `owner`;
// cutting blanks the cells as one step. 1 when the block was handed over,
// 0 otherwise (the user has been told why; a cut whose hand-over failed
// stays done).
int CopySelection(Editor& editor, HWND owner, bool cut);

// Pastes the clipboard's "ZOR" block at the selection's start cell. 1 when
// the clipboard was read (also when its data was foreign or too short, which
// changes nothing), 0 when there was no selection, no "ZOR" data or the
// clipboard could not be opened.
int PasteClipboard(Editor& editor, HWND owner);

}  // namespace quarl::win
