#include "tools/toolbox.h"

#include <utility>

#include "map/map_document.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr int kHighlightInset = 3;
constexpr int kHorizontalBarHeight = 36;
constexpr int kVerticalDockWidth = 130;
constexpr int kVerticalDockHeight = 170;
constexpr int kSpawnStyleEdgeTile = 103;

PopupItem Text(int command, const char* text) { return PopupItem{command, text, {}, 0}; }

// One picture item a row of a piece table: its first `pieces` tiles side by
// side.
template <size_t N>
std::vector<PopupItem> PictureItems(int firstCommand, const int32_t (*rows)[N], int rowCount, int pieces) {
  std::vector<PopupItem> items;
  for (int row = 0; row < rowCount; ++row) {
    items.push_back({firstCommand + row, {}, {rows[row], rows[row] + pieces}, pieces});
  }
  return items;
}

std::vector<PopupItem> Directions(int first) {
  return {Text(first, "Left"), Text(first + 1, "Right"), Text(first + 2, "Up"), Text(first + 3, "Down")};
}

int32_t FirstFrame(int32_t anim, const AnimationList& animations) {
  const Animation* a = animations.FindAnimation(anim);
  return a && !a->frames.empty() && a->frameCount > 0 ? a->frames[0] : 0;
}

void Select(ToolState& tools, ToolCommand tool) {
  tools.currentTool = tool;
  tools.currentToolCommand = tool;
}

}  // namespace

Rect ToolButtonRect(int index, bool vertical) {
  const int x = vertical ? (index % kToolsPerVerticalRow) * kToolButtonPixels : index * kToolButtonPixels;
  const int y = vertical ? (index / kToolsPerVerticalRow) * kToolButtonPixels : 0;
  return {x, y, x + kToolButtonPixels, y + kToolButtonPixels};
}

int ToolButtonAt(int x, int y, bool vertical) {
  if (x < 0 || y < 0) return -1;
  int index = -1;
  if (vertical)
    index = (y / kToolButtonPixels) * kToolsPerVerticalRow + x / kToolButtonPixels;
  else if (y < kToolButtonPixels)
    index = x / kToolButtonPixels;
  return index >= 0 && index < kToolCount ? index : -1;
}

bool IsOnGrip(int x, int y, bool vertical) {
  if (vertical) return y >= kVerticalGripTop;
  return x >= kHorizontalGripLeft && x <= kHorizontalGripRight;
}

SunkenFrame ToolHighlight(int index, bool vertical) {
  const Rect button = ToolButtonRect(index, vertical);
  if (button.top == 0) return {button.left, kHighlightInset, kToolButtonPixels, kToolButtonPixels - kHighlightInset};
  return {button.left, button.top, kToolButtonPixels, kToolButtonPixels};
}

DockTarget DockTargetAt(int dx, int dy, int frameWidth, int T, bool vertical) {
  if (dy < T + kHorizontalBarHeight + 1 && vertical) return {true, {0, T, frameWidth, T + kHorizontalBarHeight}, false};
  if (dx < kVerticalDockWidth && dy > T + kHorizontalBarHeight)
    return {true, {0, T, kVerticalDockWidth, T + kVerticalDockHeight}, true};
  return {};
}

std::vector<int32_t> SpawnStylePicture(int style, const AnimationList& animations) {
  const int32_t* row = spawnObjects[4 * style];
  std::vector<int32_t> cells(9, 0);
  cells[4] = row[2];
  const int32_t frames[4] = {FirstFrame(row[0], animations), FirstFrame(row[1], animations),
                             FirstFrame(row[3], animations), FirstFrame(row[4], animations)};
  // Styles 0 and 1 put the animations on the edges, style 2 in the corners.
  const int places[2][4] = {{1, 3, 5, 7}, {0, 2, 6, 8}};
  const int* at = places[style == 2 ? 1 : 0];
  for (int k = 0; k < 4; ++k) cells[static_cast<size_t>(at[k])] = frames[k];
  if (style == 2) {
    for (int edge : {1, 3, 5, 7}) cells[static_cast<size_t>(edge)] = kSpawnStyleEdgeTile;
  }
  return cells;
}

// A popup of the tool's choices; the tool is current while it is open.
void OpenToolPopup(ToolState& tools, ToolboxAction& action, ToolCommand tool, std::vector<PopupItem> items,
                   int32_t ToolState::*pending = &ToolState::otherPopupPending) {
  action.popup = std::move(items);
  tools.currentTool = tool;
  tools.*pending = 1;
}

ToolboxAction RunToolboxCommand(ToolState& tools, int command) {
  ToolboxAction action;
  switch (command) {
    case TOOL_COPY:
    case TOOL_CUT:
    case TOOL_PASTE:
    case TOOL_ROTATE:
      action.frameCommand = command;
      break;
    case TOOL_BUNKER:
      OpenToolPopup(tools, action, TOOL_BUNKER,
                    PictureItems(kBunkerTypeItems, bunkerTypes, bunkerTypeCount, kBunkerPiecesUsed));
      break;
    case TOOL_BRIDGE:
      OpenToolPopup(tools, action, TOOL_BRIDGE,
                    {Text(kBridgeItems, "Up and Down"), Text(kBridgeItems + 1, "Left and Right")});
      break;
    case TOOL_FLAG_POLE: {
      if (tools.currentTeam == TEAM_NEUTRAL) {
        action.messageTitle = kNeutralPoleTitle;
        action.message = kNeutralPoleMessage;
        Select(tools, TOOL_FLAG);
        action.repaintToolbox = true;
        break;
      }
      static const char* const kTeams[] = {"Green", "Red", "Blue", "Yellow"};
      std::vector<PopupItem> teams;
      for (int team = 0; team < 4; ++team) {
        if (team != tools.currentTeam) teams.push_back(Text(kPoleFlagItems + team, kTeams[team]));
      }
      teams.push_back(Text(kPoleFlagItems + TEAM_NEUTRAL, "Neutral"));
      OpenToolPopup(tools, action, TOOL_FLAG_POLE, std::move(teams), &ToolState::teamPopupPending);
      break;
    }
    case TOOL_WALL:
      OpenToolPopup(tools, action, TOOL_WALL, PictureItems(kWallSetItems, wallSets, wallSetCount, kWallSetPieces),
                    &ToolState::wallSetPopupPending);
      break;
    case TOOL_SPAWN:
      OpenToolPopup(tools, action, TOOL_SPAWN,
                    {Text(kSpawnKindItems, "5-tiled Spawns"), Text(kSpawnKindItems + 1, "Single-Tiled Animation Spawns")});
      break;
    case TOOL_HOLDING_PEN:
      OpenToolPopup(tools, action, TOOL_HOLDING_PEN,
                    {Text(kHoldingPenItems, "Regular Tile Holding Pen"), Text(kHoldingPenItems + 1, "Animated Holding Pen")});
      break;
    case TOOL_MIRROR:
      action.popup = Directions(kMirrorItems);
      tools.otherPopupPending = 1;
      break;
    case TOOL_CONVEYOR:
      action.popup = Directions(kConveyorItems);
      Select(tools, TOOL_CONVEYOR);
      tools.otherPopupPending = 1;
      break;
    default:
      tools.currentToolCommand = command;
      break;
  }
  return action;
}

bool SelectedByClick(ToolCommand tool) {
  return tool == TOOL_EDIT || tool == TOOL_SELECT || tool == TOOL_FLAG || tool == TOOL_SWITCH || tool == TOOL_TILE_PICKER;
}

ToolboxAction ChoosePopupItem(ToolState& tools, int choice, const AnimationList& animations, bool* chosen) {
  ToolboxAction action;
  const int directions = kBunkerTypeItems + bunkerTypeCount;  // the bunker directions follow the types
  bool known = true;
  auto in = [choice](int first, int count) { return choice >= first && choice < first + count; };
  const ToolState before = tools;
  tools.teamPopupPending = tools.wallSetPopupPending = tools.otherPopupPending = 0;
  if (in(kPoleFlagItems, 5)) {
    Select(tools, TOOL_FLAG_POLE);
    tools.poleFlagTeam = choice - kPoleFlagItems;
    action.repaintToolbox = true;
  } else if (in(kWallSetItems, wallSetCount)) {
    Select(tools, TOOL_WALL);
    tools.currentWallSet = choice - kWallSetItems;
    action.repaintToolbox = true;
  } else if (in(kBunkerTypeItems, bunkerTypeCount)) {
    Select(tools, TOOL_BUNKER);
    tools.currentBunkerType = choice - kBunkerTypeItems;
    action.popup = Directions(directions);
    tools.otherPopupPending = 1;
  } else if (in(directions, 4)) {
    Select(tools, TOOL_BUNKER);
    tools.currentVariantCommand = TOOL_BUNKER_LEFT + (choice - directions);
    action.repaintToolbox = true;
  } else if (in(kMirrorItems, 4)) {
    tools.mirrorDirection = choice - kMirrorItems;
    action.frameCommand = TOOL_MIRROR;
    tools.currentToolCommand = TOOL_EDIT + ToolIndex(tools.currentTool);
  } else if (in(kConveyorItems, 4)) {
    tools.conveyorDirection = choice - kConveyorItems;
    Select(tools, TOOL_CONVEYOR);
    action.repaintToolbox = true;
  } else if (in(kBridgeItems, 2)) {
    Select(tools, TOOL_BRIDGE);
    tools.currentVariantCommand = TOOL_BRIDGE_UP_DOWN + (choice - kBridgeItems);
    action.repaintToolbox = true;
  } else if (in(kSpawnKindItems, 2)) {
    Select(tools, TOOL_SPAWN);
    tools.spawnKind = choice - kSpawnKindItems;
    action.repaintToolbox = true;
    if (choice == kSpawnKindItems) {
      for (int style = 0; style < 3; ++style)
        action.popup.push_back({kSpawnStyleItems + style, {}, SpawnStylePicture(style, animations), 3});
      tools.otherPopupPending = 1;
    }
  } else if (in(kSpawnStyleItems, 3)) {
    tools.spawnKind = 0;
    tools.spawnStyle = (choice - kSpawnStyleItems) * 4;
    Select(tools, TOOL_SPAWN);
    action.repaintToolbox = true;
  } else if (in(kHoldingPenItems, 2)) {
    tools.holdingPenKind = choice - kHoldingPenItems;
    Select(tools, TOOL_HOLDING_PEN);
    action.repaintToolbox = true;
  } else {
    known = false;
    tools = before;  // not a popup item: nothing changes
  }
  if (chosen) *chosen = known;
  return action;
}

bool DismissToolPopups(ToolState& tools) {
  if (!tools.teamPopupPending && !tools.wallSetPopupPending && !tools.otherPopupPending) return false;
  Select(tools, TOOL_EDIT);
  tools.teamPopupPending = tools.wallSetPopupPending = tools.otherPopupPending = 0;
  return true;
}

}  // namespace quarl
