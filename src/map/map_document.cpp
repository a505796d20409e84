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

MapDocument& MapDocumentList::Append(std::unique_ptr<MapDocument> doc) {
  docs_.push_back(std::move(doc));
  return *docs_.back();
}

MapDocument* MapDocumentList::FindMapDocument(WindowId hwnd) const {
  for (const auto& doc : docs_) {
    if (doc->hwnd == hwnd) return doc.get();
  }
  return nullptr;
}

void MapDocumentList::RemoveMapDocument(WindowId hwnd) {
  docs_.remove_if([hwnd](const std::unique_ptr<MapDocument>& doc) { return doc->hwnd == hwnd; });
}

MapDocument* MapDocumentList::First() const { return docs_.empty() ? nullptr : docs_.front().get(); }

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
