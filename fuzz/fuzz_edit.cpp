// Feeds random edit scripts to the editing engine: tool changes, gestures
// with pointers inside and far outside the map, the selection commands and
// keys, the clipboard (its own bytes and foreign ones), mirror, rotate, undo
// and redo over up to three open maps. The sanitizers catch any access past
// the 65536 cells; the histories must never grow past their limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "editor/clipboard_commands.h"
#include "editor/editing_tools.h"
#include "editor/new_map.h"
#include "editor/scripted_map_windows.h"
#include "editor/selection.h"
#include "editor/selection_transforms.h"
#include "editor/undo_commands.h"
#include "history/default_tables.h"
#include "map/tile_tables.h"

namespace {

using namespace quarl;

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int32_t Small(int32_t low, int32_t high) { return low + Byte() % (high - low + 1); }
  int16_t Word() { return static_cast<int16_t>(Byte() << 8 | Byte()); }
  std::vector<uint8_t> Bytes(size_t n) {
    std::vector<uint8_t> out;
    while (n-- && !Done()) out.push_back(Byte());
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

void CheckLimits(const Editor& editor) {
  for (const OpenMap& map : editor.maps) {
    const MapDocument& doc = *map.doc;
    if (doc.cells.size() != static_cast<size_t>(kCellCount)) std::abort();
    if (doc.undoSteps.size() > kHistoryDepth || doc.redoSteps.size() > kHistoryDepth) std::abort();
    for (const auto& [index, history] : doc.cellHistories) {
      if (index < 0 || index >= kCellCount) std::abort();
      if (history.undo.size() > kHistoryDepth || history.redo.size() > kHistoryDepth) std::abort();
      if (history.undo.empty() && history.redo.empty()) std::abort();
    }
  }
}

// Mirror and Rotate look every cell up in the tables one entry at a time;
// under the sanitizers a whole-map turn takes about a second, so the target
// turns only selections of up to 64 x 64 cells (any place, any shape).
bool SmallSelection(const Editor& editor) {
  const MapView* view = editor.ActiveView();
  if (!view) return true;
  const SelectionCells shown = SelectionCellsOf(view->selection);
  const SelectionCells cells = view->selectionCells;
  auto small = [](const SelectionCells& s) { return int64_t{s.width} * s.height <= 64 * 64; };
  return small(shown) && small(cells);
}

const ToolCommand kTools[] = {TOOL_EDIT,   TOOL_SELECT, TOOL_BUNKER,      TOOL_BRIDGE,      TOOL_FLAG,
                              TOOL_FLAG_POLE, TOOL_SWITCH, TOOL_WALL,     TOOL_SPAWN,       TOOL_TILE_PICKER,
                              TOOL_HOLDING_PEN, TOOL_CONVEYOR, TOOL_COPY, TOOL_ROTATE};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tablesReady = InitTileTables();
  static const MirrorRotateTables tables = DefaultMirrorRotateTables();
  (void)tablesReady;

  Editor editor;
  ScriptedUserInterface ui;
  ScriptedMapWindows windows(editor);
  editor.ui = &ui;
  editor.windows = &windows;
  editor.tables = tables;
  if (!CreateNewMAP(editor)) std::abort();

  Input in(data, size);
  PointerGesture gesture;
  ScrollPosition scroll;
  std::optional<std::vector<uint8_t>> clipboard;
  ToolState& tools = editor.tools;
  for (int steps = 0; !in.Done() && steps < 400; ++steps) {
    ui.answers = {in.Byte() & 1 ? Answer::Yes : Answer::No};
    const WindowId window = editor.activeMapWindow;
    switch (in.Byte() % 24) {
      case 0: {
        const ToolCommand tool = kTools[in.Byte() % std::size(kTools)];
        tools.currentTool = tool;
        tools.currentToolCommand = tool;
        break;
      }
      case 1:  // options, some outside what the toolbox offers
        tools.currentTeam = in.Small(-1, 5);
        tools.poleFlagTeam = in.Small(-1, 5);
        tools.currentWallSet = in.Small(-1, wallSetCount);
        tools.currentBunkerType = in.Small(-1, bunkerTypeCount);
        tools.currentVariantCommand = in.Small(TOOL_BUNKER_LEFT - 1, TOOL_BRIDGE_LEFT_RIGHT + 1);
        break;
      case 2:
        tools.spawnKind = in.Small(0, 1);
        tools.spawnStyle = in.Small(0, 9);
        tools.holdingPenKind = in.Small(0, 2);
        tools.conveyorDirection = in.Small(-1, 4);
        tools.mirrorDirection = in.Small(-1, 4);
        break;
      case 3:
        tools.currentTile = in.Small(0, 255) * 4;
        tools.blockWidth = in.Small(0, 40);
        tools.blockHeight = in.Small(0, 40);
        break;
      case 4:
        tools.animationMode = in.Byte() & 1;
        tools.currentAnimation = in.Byte();
        break;
      case 5: {
        const std::vector<uint8_t> text = in.Bytes(in.Small(0, 12));
        tools.animOffsetText.assign(text.begin(), text.end());
        break;
      }
      case 6:
        scroll = {in.Small(0, 255) * 16, in.Small(0, 255) * 16};
        break;
      case 7:
      case 8:
        gesture.Press(editor, window, {in.Word(), in.Word()}, scroll);
        break;
      case 9:
      case 10:
      case 11:
        gesture.Move(editor, window, {in.Word(), in.Word()}, scroll);
        break;
      case 12:
        gesture.Release(editor, window);
        break;
      case 13:
        SelectAll(editor, window);
        break;
      case 14:
        FillSelection(editor, window);
        break;
      case 15:
        DeleteSelection(editor, window);
        break;
      case 16: {
        std::optional<std::vector<uint8_t>> bytes =
            in.Byte() & 1 ? CopySelectionBytes(editor) : CutSelectionBytes(editor);
        if (bytes) clipboard = std::move(bytes);
        break;
      }
      case 17:
        if (in.Byte() & 1) {
          const std::vector<uint8_t> foreign = in.Bytes(in.Small(0, 40));
          PasteClipboardBytes(editor, foreign);
        } else if (clipboard) {
          PasteClipboardBytes(editor, *clipboard);
        }
        break;
      case 18:
        if (SmallSelection(editor)) MirrorSelection(editor);
        break;
      case 19:
        if (SmallSelection(editor)) RotateSelection(editor);
        break;
      case 20:
        if (in.Byte() & 1) {
          UndoLastStep(editor);
        } else {
          RedoLastStep(editor);
        }
        break;
      case 21: {
        const SelectionKey key = static_cast<SelectionKey>(in.Small(0, 4));
        const bool alt = in.Byte() & 1;
        PressSelectionKey(editor, window, key, alt, {scroll.x, scroll.y, in.Small(0, 255) * 4, in.Small(0, 255) * 4});
        break;
      }
      case 22:
        if (editor.maps.Size() < 3) CreateNewMAP(editor);
        break;
      default: {
        const size_t n = in.Byte() % editor.maps.Size();
        auto it = editor.maps.begin();
        std::advance(it, n);
        ActivateMapWindow(editor, it->view.window);
        break;
      }
    }
  }
  CheckLimits(editor);
  return 0;
}
