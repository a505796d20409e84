#include "editor/selection.h"

#include "editor/editing_tools.h"
#include "editor/game_objects.h"
#include "history/region_edits.h"

namespace quarl {

int SelectAll(Editor& editor, WindowId window) {
  MapView* view = editor.maps.FindView(window);
  if (!view) return 0;
  view->selection = Rect{0, 0, kMapPixels, kMapPixels};
  view->selectionShown = 1;
  view->selectionCells = SelectionCells{0, kMapCells, kMapCells};
  // The repaint draws the outline of the shown selection over the cells.
  if (editor.windows) editor.windows->RepaintWindow(window);
  return 1;
}

int FillSelection(Editor& editor, WindowId window) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || map->view.selectionShown == 0) return -1;
  MapDocument& doc = *map->doc;
  const SelectionCells region = SelectionCellsOf(map->view.selection);
  const ToolState& tools = editor.tools;
  if (tools.animationMode == 0) {
    FillRegionWithTiles(doc, region.start, region.width, region.height,
                        TileBlock{tools.currentTile, tools.blockWidth, tools.blockHeight});
  } else {
    FillRegionWithAnimation(doc, region.start, region.width, region.height, tools.currentAnimation,
                            AnimOffsetValue(tools.animOffsetText));
  }
  if (editor.windows) editor.windows->RepaintWindow(window);
  if (tools.animationMode != 0 && editor.ui) {
    AskGameTypeForAnimation(*editor.ui, doc, tools.currentAnimation, QuestionWording::kFilling);
  }
  return 1;
}

int DeleteSelection(Editor& editor, WindowId window) {
  MapDocument* doc = editor.maps.FindMapDocument(window);
  if (!doc) return 0;
  const SelectionCells selection = editor.Selection();
  EraseRegion(*doc, selection.start, selection.width, selection.height);
  if (editor.windows) editor.windows->RepaintWindow(window);
  return 1;
}

namespace {

constexpr int32_t C = kCellPixels;

// Moves the shown selection one cell (no Alt). Returns the scroll to make.
KeyScroll MoveSelection(MapView& view, SelectionKey key, const KeyViewport& v) {
  Rect& s = view.selection;
  SelectionCells& cells = view.selectionCells;
  switch (key) {
    case SelectionKey::kLeft:
      if (s.left == 0) return {};
      s.left -= C, s.right -= C, cells.start -= 1;
      return {s.left <= v.scrollX ? -1 : 0, 0};
    case SelectionKey::kUp:
      if (s.top == 0) return {};
      s.top -= C, s.bottom -= C, cells.start -= kMapCells;
      return {0, s.top <= v.scrollY ? -1 : 0};
    case SelectionKey::kRight:
      if (s.right == kMapPixels) return {};
      s.left += C, s.right += C, cells.start += 1;
      return {v.scrollX - C + v.clientWidth <= s.right ? 2 : 0, 0};
    case SelectionKey::kDown:
      if (s.bottom == kMapPixels) return {};
      s.top += C, s.bottom += C, cells.start += kMapCells;
      return {0, v.scrollY - 36 + v.clientHeight <= s.bottom ? 2 : 0};
    default:
      return {};
  }
}

// Alt+arrow: grows (mode 0) or shrinks from the other side (mode 1).
KeyScroll ResizeSelection(MapView& view, SelectionKey key, int32_t mode, const KeyViewport& v) {
  Rect& s = view.selection;
  SelectionCells& cells = view.selectionCells;
  switch (key) {
    case SelectionKey::kLeft:
      if (mode == 0) {
        if (s.left == 0) return {};
        s.left -= C, cells.width += 1, cells.start -= 1;
      } else {
        if (s.right == C) return {};
        s.right -= C;
        if (s.right == s.left) {
          s.left -= C, cells.start -= 1;
        } else {
          cells.width -= 1;
        }
      }
      return {s.left <= v.scrollX ? -1 : 0, 0};
    case SelectionKey::kUp:
      if (mode == 0) {
        if (s.top == 0) return {};
        s.top -= C, cells.height += 1, cells.start -= kMapCells;
      } else {
        if (s.bottom == C) return {};
        s.bottom -= C;
        if (s.top == s.bottom) {
          s.top -= C, cells.start -= kMapCells;
        } else {
          cells.height -= 1;
        }
      }
      return {0, s.top <= v.scrollY ? -1 : 0};
    case SelectionKey::kRight:
      if (mode == 0) {
        if (s.right == kMapPixels) return {};
        s.right += C, cells.width += 1;
      } else {
        if (s.left == kMapPixels - C) return {};
        s.left += C;
        if (s.left == s.right) {
          s.right += C;
        } else {
          cells.width -= 1;
        }
        cells.start += 1;
      }
      return {v.scrollX + v.clientWidth <= s.right ? 2 : 0, 0};
    case SelectionKey::kDown:
      if (mode == 0) {
        if (s.bottom == kMapPixels) return {};
        s.bottom += C, cells.height += 1;
      } else {
        if (s.top == kMapPixels - C) return {};
        s.top += C;
        if (s.top == s.bottom) {
          s.bottom += C;
        } else {
          cells.height -= 1;
        }
        cells.start += kMapCells;
      }
      return {0, v.scrollY - 20 + v.clientHeight <= s.bottom ? 1 : 0};
    default:
      return {};
  }
}

}  // namespace

KeyScroll PressSelectionKey(Editor& editor, WindowId window, SelectionKey key, bool alt, const KeyViewport& viewport) {
  MapView* view = editor.maps.FindView(window);
  if (!view) return {};
  KeyScroll scroll;
  if (key == SelectionKey::kF1) {
    editor.edgeExtendMode = editor.edgeExtendMode == 0 ? 1 : 0;
  } else if (view->selectionShown != 1) {
    switch (key) {
      case SelectionKey::kLeft: scroll.horizontalLines = -1; break;
      case SelectionKey::kRight: scroll.horizontalLines = 1; break;
      case SelectionKey::kUp: scroll.verticalLines = -1; break;
      default: scroll.verticalLines = 1; break;
    }
  } else if (alt) {
    scroll = ResizeSelection(*view, key, editor.edgeExtendMode, viewport);
  } else {
    scroll = MoveSelection(*view, key, viewport);
  }
  if (editor.windows) editor.windows->RepaintWindow(window);
  return scroll;
}

}  // namespace quarl
