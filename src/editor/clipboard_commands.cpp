#include "editor/clipboard_commands.h"

#include <algorithm>

#include "base/string_table.h"
#include "history/clipboard_block.h"
#include "history/region_edits.h"

namespace quarl {

std::optional<std::vector<uint8_t>> CopySelectionBytes(Editor& editor) {
  const MapDocument* doc = editor.ActiveDocument();
  const SelectionCells selection = editor.Selection();
  if (!doc || selection.start < 0) {
    if (editor.ui) editor.ui->Tell(StringText(IDS_NO_SELECTION), "Error - Non-Fatal");
    return std::nullopt;
  }
  CellBlock block = CopyCellBlock(*doc, selection.start, selection.width, selection.height);
  if (block.values.empty()) {
    // A selection with no width or no height still tells its other side.
    block.width = std::clamp(selection.width, 0, kMapCells);
    block.height = std::clamp(selection.height, 0, kMapCells);
  }
  return EncodeClipboardBlock(block);
}

}  // namespace quarl
