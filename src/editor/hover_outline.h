#pragma once
// The outline that follows the pointer over a map: its size in cells for the
// current tool.

#include <optional>

#include "tools/tool_state.h"

namespace quarl {

struct OutlineCells {
  int columns = 1;
  int rows = 1;
};

// The outline's size for the tool state; nullopt when the current tool leaves
// the outline as it is (the one-shot tools).
std::optional<OutlineCells> HoverOutlineCells(const ToolState& tools);

}  // namespace quarl
