#include "editor/clipboard_commands.h"

#include <algorithm>

#include "base/string_table.h"
#include "history/clipboard_block.h"
#include "history/region_edits.h"

namespace quarl {
namespace {

int NoSelection(Editor& editor) {
  if (editor.ui) editor.ui->Tell(StringText(IDS_NO_SELECTION), "Error - Non-Fatal");
  return 0;
}

}  // namespace

std::optional<std::vector<uint8_t>> CopySelectionBytes(Editor& editor) {
  const MapDocument* doc = editor.ActiveDocument();
  const SelectionCells selection = editor.Selection();
  if (!doc || selection.start < 0) {
    NoSelection(editor);
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

std::optional<std::vector<uint8_t>> CutSelectionBytes(Editor& editor) {
  std::optional<std::vector<uint8_t>> bytes = CopySelectionBytes(editor);
  if (!bytes) return bytes;
  const SelectionCells selection = editor.Selection();
  EraseRegion(*editor.ActiveDocument(), selection.start, selection.width, selection.height);
  if (editor.windows) editor.windows->RepaintWindow(editor.activeMapWindow);
  return bytes;
}

int PasteClipboardBytes(Editor& editor, std::span<const uint8_t> bytes) {
  MapDocument* doc = editor.ActiveDocument();
  const SelectionCells selection = editor.Selection();
  if (!doc || selection.start < 0) return NoSelection(editor);
  const std::optional<CellBlock> block = DecodeClipboardBlock(bytes);
  if (!block) return 1;
  PasteCellBlock(*doc, selection.start, *block);
  if (editor.windows) editor.windows->RepaintWindow(editor.activeMapWindow);
  return 1;
}

}  // namespace quarl
