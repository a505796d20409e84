#include "editor/hover_outline.h"

namespace quarl {

std::optional<OutlineCells> HoverOutlineCells(const ToolState& tools) {
  const int32_t command = tools.currentToolCommand;
  if (command == TOOL_EDIT) {
    // A picked tile block shows its size; an animation is one cell.
    if (!tools.animationMode && tools.blockWidth != 0 && tools.blockHeight != 0) {
      return OutlineCells{tools.blockWidth, tools.blockHeight};
    }
    return OutlineCells{};
  }
  if (command == TOOL_FLAG || command == TOOL_SWITCH || tools.currentTool == TOOL_FLAG_POLE) {
    return OutlineCells{3, 3};
  }
  switch (command) {
    case TOOL_WALL:
    case TOOL_TILE_PICKER:
    case TOOL_HOLDING_PEN:
    case TOOL_SELECT:
    case TOOL_BRIDGE:
    case TOOL_BUNKER:
      return OutlineCells{};
    case TOOL_SPAWN:
      return tools.spawnKind != 1 ? OutlineCells{3, 3} : OutlineCells{};
    default:
      return std::nullopt;
  }
}

}  // namespace quarl
