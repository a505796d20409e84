#include "editor/editing_tools.h"

#include <algorithm>
#include <limits>

#include "editor/game_objects.h"
#include "editor/walls.h"
#include "history/cell_edit.h"
#include "history/undo.h"

namespace quarl {
namespace {

constexpr int32_t kSheetColumns = 40;  // tiles in a row of the tile sheet

bool InMap(int32_t column, int32_t row) {
  return column >= 0 && column < kMapCells && row >= 0 && row < kMapCells;
}

// Edit and Conveyor read at most this many characters of the offset text.
constexpr size_t kShortOffsetChars = 4;

int32_t FloorDiv(int32_t value, int32_t by) {
  const int32_t q = value / by;
  return (value % by != 0 && value < 0) ? q - 1 : q;
}

// Map pixels of a client coordinate, kept off the int32 edges.
int32_t MapPixel(int32_t client, int32_t scroll) {
  const int64_t sum = static_cast<int64_t>(client) + scroll;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, -(int64_t{1} << 24), int64_t{1} << 24));
}

bool IsRectangleTool(int32_t command) {
  return command == TOOL_SELECT || command == TOOL_BUNKER || command == TOOL_BRIDGE ||
         command == TOOL_HOLDING_PEN || command == TOOL_CONVEYOR;
}

}  // namespace

int32_t AnimOffsetValue(const std::string& text, size_t maxChars) {
  const std::string s = text.substr(0, std::min(maxChars, text.size()));
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int64_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = std::min<int64_t>(value * 10 + (s[i] - '0'), int64_t{std::numeric_limits<int32_t>::max()} + 1);
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t CellOfPixel(int32_t mapPixel) { return FloorDiv(mapPixel, kCellPixels); }

int PlaceWithEditTool(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset,
                      Gesture gesture) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || !InMap(column, row)) return 0;
  MapDocument& doc = *map->doc;
  const ToolState& tools = editor.tools;
  const int32_t cell = row * kMapCells + column;

  if (tools.animationMode == 0) {
    CellEdit edit(doc, {cell, tools.blockWidth, tools.blockHeight, HISTORY_REGION});
    for (int32_t r = 0; r < tools.blockHeight && row + r < kMapCells; ++r) {
      for (int32_t c = 0; c < tools.blockWidth && column + c < kMapCells; ++c) {
        edit.Set(column + c, row + r, {tools.currentTile + r * kSheetColumns + c, -1, -1});
      }
    }
    edit.Commit();
    map->view.selectionShown = 0;
    if (editor.windows) editor.windows->RepaintWindow(window);
    return 1;
  }

  CellEdit edit(doc, {cell, 1, 1, HISTORY_REGION});
  edit.Set(cell, {-1, tools.currentAnimation, animOffset});
  edit.Commit();
  if (gesture == Gesture::kDrag) map->view.selectionShown = 0;
  if (editor.windows) editor.windows->RepaintWindow(window);
  if (gesture == Gesture::kPress && editor.ui) {
    AskGameTypeForAnimation(*editor.ui, doc, tools.currentAnimation, QuestionWording::kPlacing);
  }
  return 1;
}

GestureEffects PickCell(Editor& editor, WindowId window, int32_t column, int32_t row) {
  GestureEffects effects;
  const MapDocument* doc = editor.maps.FindMapDocument(window);
  if (!doc || !InMap(column, row)) return effects;
  const Cell& cell = doc->At(column, row);
  ToolState& tools = editor.tools;
  if (!cell.IsAnimated()) {
    tools.animationMode = 0;
    tools.currentTile = cell.tile;
    tools.blockWidth = 1;
    tools.blockHeight = 1;
    const int32_t left = cell.tile % 40 * 16, top = cell.tile / 40 * 16;
    tools.paletteHighlight = Rect{left, top, left + 16, top + 16};
    effects.tilePalette = true;
  } else {
    tools.animationMode = 1;
    tools.currentAnimation = cell.anim;
    tools.animOffsetText = std::to_string(cell.data);
    effects.animationPalette = true;
  }
  effects.infoPanel = true;
  tools.currentTool = TOOL_EDIT;
  tools.currentToolCommand = TOOL_EDIT;
  effects.toolbox = true;
  return effects;
}

void PointerGesture::StartBand(MapView& view, ClientPoint point, ScrollPosition scroll) {
  anchorX_ = FloorDiv(point.x, kCellPixels) * kCellPixels + scroll.x;
  anchorY_ = FloorDiv(point.y, kCellPixels) * kCellPixels + scroll.y;
  view.selection = Rect{anchorX_, anchorY_, anchorX_ + kCellPixels, anchorY_ + kCellPixels};
  view.selectionShown = 1;
  bandStarted_ = true;
}

void PointerGesture::ExtendBand(MapView& view, ClientPoint point, ScrollPosition scroll) {
  // The corner is the pointer rounded up to the grid, held to the map.
  auto corner = [](int32_t client, int32_t scrollPos) {
    const int32_t rounded = -FloorDiv(-std::clamp(client, -(1 << 24), 1 << 24), kCellPixels) * kCellPixels;
    return std::clamp(MapPixel(rounded, scrollPos), 0, kMapPixels);
  };
  const int32_t x = corner(point.x, scroll.x);
  const int32_t y = corner(point.y, scroll.y);
  view.selection = Rect{std::min(anchorX_, x), std::min(anchorY_, y), std::max(anchorX_, x), std::max(anchorY_, y)};
  view.selectionShown = 1;
}

GestureEffects PointerGesture::ActOnCell(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll,
                                         Gesture gesture) {
  GestureEffects effects;
  OpenMap* map = editor.maps.Find(window);
  if (!map) return effects;
  const int32_t column = lastColumn_;
  const int32_t row = lastRow_;
  const int32_t command = editor.tools.currentToolCommand;
  const std::string& offsetText = editor.tools.animOffsetText;

  if (IsRectangleTool(command)) {
    if (gesture == Gesture::kPress) {
      if (!InMap(column, row)) return effects;
      StartBand(map->view, point, scroll);
    } else if (bandStarted_) {
      ExtendBand(map->view, point, scroll);
    }
    if (editor.windows) editor.windows->RepaintWindow(window);
    return effects;
  }
  if (!InMap(column, row)) return effects;
  switch (command) {
    case TOOL_EDIT:
      PlaceWithEditTool(editor, window, column, row, AnimOffsetValue(offsetText, kShortOffsetChars), gesture);
      break;
    case TOOL_FLAG:
      PlaceFlag(editor, window, column, row, false, gesture);
      break;
    case TOOL_FLAG_POLE:
      PlaceFlag(editor, window, column, row, true, gesture);
      break;
    case TOOL_SWITCH:
      PlaceSwitch(editor, window, column, row, gesture);
      break;
    case TOOL_WALL:
      PlaceWall(editor, window, column, row);
      break;
    case TOOL_SPAWN:
      PlaceSpawn(editor, window, column, row, AnimOffsetValue(offsetText));
      break;
    case TOOL_TILE_PICKER:
      effects = PickCell(editor, window, column, row);
      break;
    default:
      // A one-shot tool left current: a drag only hides the selection.
      if (gesture == Gesture::kDrag) {
        if (editor.windows) editor.windows->RepaintWindow(editor.activeMapWindow);
        map->view.selectionShown = 0;
      }
      break;
  }
  return effects;
}

GestureEffects PointerGesture::Press(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll) {
  *this = PointerGesture{};
  OpenMap* map = editor.maps.Find(window);
  if (!map) return {};
  active_ = true;
  lastColumn_ = CellOfPixel(MapPixel(point.x, scroll.x));
  lastRow_ = CellOfPixel(MapPixel(point.y, scroll.y));
  map->view.hoverRect = Rect{};
  return ActOnCell(editor, window, point, scroll, Gesture::kPress);
}

GestureEffects PointerGesture::Move(Editor& editor, WindowId window, ClientPoint point, ScrollPosition scroll) {
  if (!active_) return {};
  const int32_t column = CellOfPixel(MapPixel(point.x, scroll.x));
  const int32_t row = CellOfPixel(MapPixel(point.y, scroll.y));
  if (column == lastColumn_ && row == lastRow_) return {};
  lastColumn_ = column;
  lastRow_ = row;
  return ActOnCell(editor, window, point, scroll, Gesture::kDrag);
}

GestureEffects PointerGesture::Release(Editor& editor, WindowId window) {
  if (!active_) return {};
  active_ = false;
  OpenMap* map = editor.maps.Find(window);
  if (!map || !bandStarted_) return {};
  ToolState& tools = editor.tools;
  const std::string& offsetText = tools.animOffsetText;
  switch (tools.currentToolCommand) {
    case TOOL_SELECT: {
      map->view.selectionCells = SelectionCellsOf(map->view.selection);
      if (map->view.selectionCells.width == 0 || map->view.selectionCells.height == 0) {
        map->view.selectionShown = 0;
      }
      break;
    }
    case TOOL_HOLDING_PEN:
      BuildHoldingPen(editor, window, AnimOffsetValue(offsetText));
      break;
    case TOOL_CONVEYOR:
      BuildConveyor(editor, window, AnimOffsetValue(offsetText, kShortOffsetChars));
      break;
    case TOOL_BUNKER:
    case TOOL_BRIDGE: {
      // The variant stands in for the tool while the object is built.
      const int32_t tool = tools.currentToolCommand;
      const int32_t variant = tools.currentVariantCommand;
      tools.currentToolCommand = variant;
      if (variant >= TOOL_BUNKER_LEFT && variant <= TOOL_BUNKER_DOWN) {
        BuildBunker(editor, window, variant);
        tools.currentToolCommand = TOOL_BUNKER;
      } else if (variant == TOOL_BRIDGE_UP_DOWN || variant == TOOL_BRIDGE_LEFT_RIGHT) {
        BuildBridge(editor, window, variant);
        tools.currentToolCommand = TOOL_BRIDGE;
      } else {
        tools.currentToolCommand = tool;
      }
      break;
    }
    default:
      break;
  }
  return {};
}

}  // namespace quarl
