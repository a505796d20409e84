#include "map/map_document.h"

namespace quarl {

MapDocument::MapDocument() : cells(kCellCount) {}

const CellHistory* MapDocument::CellHistoryOf(int32_t cellIndex) const {
  auto found = cellHistories.find(cellIndex);
  return found == cellHistories.end() ? nullptr : &found->second;
}

int MapDocument::UndoDepth(int32_t cellIndex) const {
  const CellHistory* history = CellHistoryOf(cellIndex);
  return history ? static_cast<int>(history->undo.size()) : 0;
}

int MapDocument::RedoDepth(int32_t cellIndex) const {
  const CellHistory* history = CellHistoryOf(cellIndex);
  return history ? static_cast<int>(history->redo.size()) : 0;
}

const char* TeamName(int team) {
  switch (team) {
    case TEAM_GREEN: return "Green";
    case TEAM_RED: return "Red";
    case TEAM_BLUE: return "Blue";
    case TEAM_YELLOW: return "Yellow";
    default: return "Neutral";
  }
}

const char* GameTypeName(int gameType) {
  switch (gameType) {
    case 0: return "Frag game";
    case 1: return "Flag game";
    default: return "Switch game";
  }
}

}  // namespace quarl
