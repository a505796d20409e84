#pragma once
// The map document: one open map's settings, its 65536 cells, its
// undo/redo histories, its file path and whether it has unsaved changes.
// What its window shows (selection, hover outline, auto-pan) is the map
// view's (editor/map_view.h).

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quarl {

constexpr int kMapCells = 256;                      // a map is always 256 x 256 cells
constexpr int kCellCount = kMapCells * kMapCells;   // cell index = row * 256 + column
constexpr int kCellPixels = 16;                     // a cell is 16 x 16 pixels
constexpr int kMapPixels = kMapCells * kCellPixels; // 4096 map pixels each way
constexpr int32_t BLANK_TILE = 280;
constexpr int kHistoryDepth = 12;  // most entries in any undo or redo stack
constexpr uint16_t kMapMagic = 0x4278;

enum Team : int { TEAM_GREEN = 0, TEAM_RED = 1, TEAM_BLUE = 2, TEAM_YELLOW = 3, TEAM_NEUTRAL = 4 };

// The three value words of a cell; also one saved level of a cell history.
struct CellValues {
  int32_t tile = BLANK_TILE;
  int32_t anim = -1;
  int32_t data = -1;
  bool operator==(const CellValues&) const = default;
};

// One cell's undo and redo stacks, newest level last. The document keeps
// them apart from the cells (see MapDocument::cellHistories).
struct CellHistory {
  std::vector<CellValues> undo;
  std::vector<CellValues> redo;
};

// Only the three value words: every load writes all 65536 cells, so a cell
// stays 12 bytes and its history lives in the document.
struct Cell {
  int32_t tile = BLANK_TILE;  // tile number; not looked at while the cell is animated
  int32_t anim = -1;          // animation id, -1 = none
  int32_t data = -1;          // -1 marks a plain tile cell; otherwise the animation offset

  bool IsAnimated() const { return data != -1; }
  CellValues Values() const { return {tile, anim, data}; }
  void SetValues(const CellValues& v) { tile = v.tile; anim = v.anim; data = v.data; }
};
static_assert(sizeof(Cell) == 12, "a cell is its three value words and nothing else");

// One document-level history step: a region and the kind that says which
// of its cells belong to the step.
struct HistoryStep {
  int32_t cell = 0;    // index of the top-left cell
  int32_t width = 0;   // in cells
  int32_t height = 0;  // in cells
  int32_t kind = 0;
  bool operator==(const HistoryStep&) const = default;
};

struct MapDocument {
  MapDocument();  // an empty 256 x 256 map with the new-map header defaults

  std::vector<Cell> cells;  // kCellCount cells, row-major
  std::vector<HistoryStep> undoSteps;  // oldest first, at most kHistoryDepth
  std::vector<HistoryStep> redoSteps;
  // The undo and redo stacks of the cells that have saved levels, by cell
  // index. A cell's entry is made by its first saved level and erased when
  // both its stacks are empty again, so a cell that was never edited costs
  // nothing and the memory follows the edits.
  std::unordered_map<int32_t, CellHistory> cellHistories;

  // The header fields the .map file carries.
  uint16_t magic = kMapMagic;
  uint16_t width = kMapCells;
  uint16_t height = kMapCells;
  uint16_t popupCount = 0;
  uint8_t version = 0;
  uint8_t maxPlayers = 64;
  uint8_t holding = 20;
  uint8_t teamCount = 2;
  uint8_t gameType = 0;
  uint8_t powerups = 12;
  uint8_t switchCount = 0;
  std::array<uint8_t, 4> flagCount{};
  std::array<uint8_t, 4> poleCount{};
  // poleTeams[t][k]: the team whose flag sits in team t's k-th pole, poles in
  // cell-index order. Holds poleCount[t] entries once counted or loaded.
  std::array<std::vector<uint8_t>, 4> poleTeams;
  uint8_t laserDamage = 2;
  uint8_t specialDamage = 2;
  uint8_t rechargeRate = 2;
  uint8_t missiles = 1;
  uint8_t bombs = 1;
  uint8_t bouncies = 1;
  uint8_t neutralFlagCount = 0;
  std::string name = "Untitled";  // the file keeps at most 65535 bytes
  std::string description;
  std::string path;  // empty until the map is saved or loaded; at most 260 characters

  int32_t modified = 0;

  int32_t undoCount() const { return static_cast<int32_t>(undoSteps.size()); }
  int32_t redoCount() const { return static_cast<int32_t>(redoSteps.size()); }
  uint16_t nameLength() const { return static_cast<uint16_t>(name.size()); }
  uint16_t descriptionLength() const { return static_cast<uint16_t>(description.size()); }

  // The cell's stacks, or null while it has no saved level.
  const CellHistory* CellHistoryOf(int32_t cellIndex) const;
  // How many undo (redo) levels the cell has.
  int UndoDepth(int32_t cellIndex) const;
  int RedoDepth(int32_t cellIndex) const;

  Cell& At(int column, int row) { return cells[static_cast<size_t>(row * kMapCells + column)]; }
  const Cell& At(int column, int row) const { return cells[static_cast<size_t>(row * kMapCells + column)]; }
};

// Team names as the reports and the save messages show them: any number
// above 3 is "Neutral".
const char* TeamName(int team);
// "Frag game", "Flag game", or "Switch game" for any other value.
const char* GameTypeName(int gameType);

}  // namespace quarl
