#pragma once
// Copy, Cut and Paste as the editor runs them on the active map and its
// selection. The cell values and the "ZOR" bytes are history/'s
// (region_edits.h, clipboard_block.h); the Win32 half only moves the bytes
// to and from the system clipboard.
// Here so far: the bytes Copy hands over. Cut and Paste come next.

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/editor.h"

namespace quarl {

// The active map's selected cells as a "ZOR" clipboard block. Without an
// active map or a selection (start -1) the user is told string 7 and
// nothing is returned.
std::optional<std::vector<uint8_t>> CopySelectionBytes(Editor& editor);

}  // namespace quarl
