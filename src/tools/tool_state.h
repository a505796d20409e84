#pragma once
// The editor's tool state: the current tool and the options its popups set.

#include <cstdint>
#include <string>

#include "base/geometry.h"

namespace quarl {

// A tool is named by its command number, the one its toolbox button sends;
// tool n of the toolbox (0..16) has command 500 + n.
enum ToolCommand : int32_t {
  TOOL_EDIT = 500,
  TOOL_SELECT = 501,
  TOOL_COPY = 502,
  TOOL_CUT = 503,
  TOOL_PASTE = 504,
  TOOL_BUNKER = 505,
  TOOL_BRIDGE = 506,
  TOOL_FLAG = 507,
  TOOL_FLAG_POLE = 508,
  TOOL_SWITCH = 509,
  TOOL_WALL = 510,
  TOOL_SPAWN = 511,
  TOOL_TILE_PICKER = 512,
  TOOL_HOLDING_PEN = 513,
  TOOL_ROTATE = 514,
  TOOL_MIRROR = 515,
  TOOL_CONVEYOR = 516,
  TOOL_BUNKER_LEFT = 1010,
  TOOL_BUNKER_RIGHT = 1011,
  TOOL_BUNKER_UP = 1012,
  TOOL_BUNKER_DOWN = 1013,
  TOOL_BRIDGE_UP_DOWN = 1014,
  TOOL_BRIDGE_LEFT_RIGHT = 1015,
};

constexpr int32_t kToolCount = 17;

// The tool's place in the toolbox (0..16), for button geometry and pictures.
constexpr int ToolIndex(ToolCommand tool) { return tool - TOOL_EDIT; }
constexpr ToolCommand ToolAt(int index) { return static_cast<ToolCommand>(TOOL_EDIT + index); }

struct ToolState {
  ToolCommand currentTool = TOOL_EDIT;
  // The current tool's command as a rule; a bunker or bridge placement puts
  // its variant command (1010..1015) here while it places.
  int32_t currentToolCommand = TOOL_EDIT;
  int32_t currentTeam = 0;
  int32_t animationMode = 0;
  int32_t poleFlagTeam = 0;
  int32_t currentWallSet = 0;
  int32_t currentBunkerType = 0;
  int32_t currentVariantCommand = 0;
  int32_t spawnKind = 0;
  int32_t spawnStyle = 0;
  int32_t holdingPenKind = 0;
  int32_t mirrorDirection = 0;
  int32_t conveyorDirection = 0;
  // Set while a toolbox popup is open: the team popup, the wall-set popup,
  // any other popup.
  int32_t teamPopupPending = 0;
  int32_t wallSetPopupPending = 0;
  int32_t otherPopupPending = 0;

  // The tile block picked in the tile palette.
  int32_t currentTile = 0;
  int32_t blockWidth = 0;
  int32_t blockHeight = 0;
  // The block's outline in the tile palette, in sheet pixels; not drawn
  // while empty (left = right and top = bottom).
  Rect paletteHighlight;

  int32_t currentAnimation = 0;
  // The info panel's "Anim Offset:" text: the data of placed animations.
  std::string animOffsetText;
};

}  // namespace quarl
