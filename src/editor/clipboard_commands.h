#pragma once
// Copy, Cut and Paste as the editor runs them on the active map and its
// selection. The cell values and the "ZOR" bytes are history/'s
// (region_edits.h, clipboard_block.h); the Win32 half only moves the bytes
// to and from the system clipboard.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "editor/editor.h"

namespace quarl {

// The active map's selected cells as a "ZOR" clipboard block. Without an
// active map or a selection (start -1) the user is told string 7 and
// nothing is returned.
std::optional<std::vector<uint8_t>> CopySelectionBytes(Editor& editor);

// Cut: the bytes Copy would hand over, then the selected cells become blank
// tiles as one step, the map is marked modified and the active window
// repainted. The cut stays done (and can be undone) should the hand-over to
// the clipboard fail.
std::optional<std::vector<uint8_t>> CutSelectionBytes(Editor& editor);

// Paste of the bytes found on the clipboard under "ZOR", with the block's
// top-left value on the selection's start cell, as one step covering the
// whole block (values past the map's right or bottom edge are dropped); the
// modified flag stays as it was and the active window is repainted. Without
// an active map or a selection: string 7, result 0. Bytes that do not start
// with "ZOR", or that hold fewer values than their width and height say,
// change nothing (result 1); nothing is read past their end.
int PasteClipboardBytes(Editor& editor, std::span<const uint8_t> bytes);

}  // namespace quarl
