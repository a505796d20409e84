#include "editor/game_objects.h"

#include <optional>
#include <string>

#include "history/cell_edit.h"
#include "history/undo.h"
#include "map/map_checks.h"
#include "map/tile_tables.h"

namespace quarl {
namespace {

constexpr uint8_t kFlagGame = 1;
constexpr uint8_t kSwitchGame = 2;

void AskFor(UserInterface& ui, MapDocument& doc, uint8_t gameType, const char* gameName, const char* title,
            QuestionWording wording) {
  if (doc.gameType == gameType) return;
  const std::string text = std::string(wording == QuestionWording::kPlacing
                                           ? "Would you like to set the game type to \""
                                           : "Would you like to set game type to \"") +
                           gameName + "\"";
  if (ui.ShowMessage(text, title, Buttons::YesNo) == Answer::Yes) doc.gameType = gameType;
}

bool InMap(int32_t column, int32_t row) {
  return column >= 0 && column < kMapCells && row >= 0 && row < kMapCells;
}

// Teams outside 0..4 are taken as Neutral.
int32_t TeamOf(const ToolState& tools) {
  return tools.currentTeam >= TEAM_GREEN && tools.currentTeam <= TEAM_NEUTRAL ? tools.currentTeam : TEAM_NEUTRAL;
}

// Spawns and pens know teams 0..3; Neutral spawns as Green.
int32_t SpawnTeamOf(const ToolState& tools) {
  const int32_t team = TeamOf(tools);
  return team == TEAM_NEUTRAL ? TEAM_GREEN : team;
}

// A rectangle tool's region: the selection globals follow the rubber band.
SelectionCells FinishRegion(MapView& view) {
  view.selectionCells = SelectionCellsOf(view.selection);
  return view.selectionCells;
}

void Repaint(Editor& editor, WindowId window) {
  if (editor.windows) editor.windows->RepaintWindow(window);
}

// A rectangle tool's one step of `kind` over the region's cells inside the
// map: piece(r, c) gives a cell's values, or nothing to leave it as it is.
// The window is repainted.
template <class Piece>
void BuildRegion(Editor& editor, WindowId window, MapDocument& doc, const SelectionCells& region, int32_t kind,
                 Piece&& piece) {
  CellEdit edit(doc, {region.start, region.width, region.height, kind});
  const int32_t x0 = region.start % kMapCells;
  const int32_t y0 = region.start / kMapCells;
  for (int32_t r = 0; r < region.height && y0 + r < kMapCells; ++r) {
    for (int32_t c = 0; c < region.width && x0 + c < kMapCells; ++c) {
      if (const std::optional<CellValues> values = piece(r, c)) edit.Set(x0 + c, y0 + r, *values);
    }
  }
  edit.Commit();
  Repaint(editor, window);
}

// Which entry of a bunker type goes into region cell (r, c) of a w x h
// bunker facing `variant`; nullopt where the cell is left unchanged.
std::optional<int32_t> BunkerPiece(int32_t variant, int32_t r, int32_t c, int32_t w, int32_t h) {
  const bool first = c == 0;
  const bool last = c == w - 1;
  // Picks from three entries by column: first, other, last (-1: unchanged).
  auto pick = [&](int32_t firstEntry, int32_t otherEntry, int32_t lastEntry) -> std::optional<int32_t> {
    const int32_t entry = first ? firstEntry : last ? lastEntry : otherEntry;
    if (entry < 0) return std::nullopt;
    return entry;
  };
  switch (variant) {
    case TOOL_BUNKER_UP:
      if (r == 0) return pick(0, 1, 2);
      if (r == h - 1) return pick(4, -1, 6);
      return pick(3, -1, 5);
    case TOOL_BUNKER_DOWN:
      if (r == h - 1) return pick(7, 8, 9);
      if (r == 0) return pick(11, -1, 13);
      return pick(10, -1, 12);
    case TOOL_BUNKER_LEFT:
      if (r == 0) return pick(14, 17, 18);
      if (r == h - 1) return pick(16, 19, 20);
      return pick(15, -1, -1);
    case TOOL_BUNKER_RIGHT:
      if (r == 0) return pick(25, 24, 21);
      if (r == h - 1) return pick(27, 26, 23);
      return pick(-1, -1, 22);
    default:
      return std::nullopt;
  }
}

int32_t BunkerHistoryKind(int32_t variant) {
  switch (variant) {
    case TOOL_BUNKER_UP: return HISTORY_BUNKER_UP;
    case TOOL_BUNKER_DOWN: return HISTORY_BUNKER_DOWN;
    case TOOL_BUNKER_LEFT: return HISTORY_BUNKER_LEFT;
    default: return HISTORY_BUNKER_RIGHT;
  }
}

// The bridge tile of region cell (r, c) in a w x h bridge.
int32_t BridgePiece(int32_t variant, int32_t r, int32_t c, int32_t w, int32_t h) {
  if (variant == TOOL_BRIDGE_UP_DOWN) {
    const int32_t column = c == 0 ? 0 : c == 1 ? 1 : c == w - 2 ? 3 : c == w - 1 ? 4 : 2;
    const int32_t row = r == 0 ? 0 : r == h - 1 ? 2 : 1;
    return row * 5 + column;
  }
  const int32_t row = r == 0 ? 0 : r == 1 ? 1 : r == h - 2 ? 3 : r == h - 1 ? 4 : 2;
  const int32_t column = c == 0 ? 0 : c == w - 1 ? 2 : 1;
  return 15 + row * 3 + column;
}

}  // namespace

void AskGameTypeForAnimation(UserInterface& ui, MapDocument& doc, int32_t anim, QuestionWording wording) {
  if (anim == SWITCH_ANIM) AskFor(ui, doc, kSwitchGame, "Switch Game", "Switch Placed", wording);
  for (int team = TEAM_GREEN; team <= TEAM_YELLOW; ++team) {
    if (IsFlagAnim(team, anim) || IsPoleAnim(team, anim)) {
      AskFor(ui, doc, kFlagGame, "Flag Game", "Flag Placed", wording);
      break;
    }
  }
}

int PlaceSwitch(Editor& editor, WindowId window, int32_t column, int32_t row, Gesture gesture) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || column < 0 || column >= kMapCells || row < 0 || row >= kMapCells) return 0;
  MapDocument& doc = *map->doc;
  map->view.hoverRect = Rect{};

  CellEdit edit(doc, {row * kMapCells + column, 3, 3, HISTORY_REGION});
  for (int32_t r = 0; r < 3; ++r) {
    for (int32_t c = 0; c < 3; ++c) {
      const int32_t slot = r * 3 + c;
      const CellValues values = slot == 4 ? CellValues{-1, switchObject[4], 0} : CellValues{switchObject[slot], -1, -1};
      edit.Set(column + c, row + r, values);  // cells past the map's edges are dropped
    }
  }
  edit.Commit();
  map->view.selectionShown = 0;
  if (editor.windows) editor.windows->RepaintWindow(window);
  if (gesture == Gesture::kPress && editor.ui) {
    AskFor(*editor.ui, doc, kSwitchGame, "Switch Game", "Switch Placed", QuestionWording::kPlacing);
  }
  return 1;
}

int PlaceFlag(Editor& editor, WindowId window, int32_t column, int32_t row, bool pole, Gesture gesture) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || !InMap(column, row)) return 0;
  MapDocument& doc = *map->doc;
  map->view.hoverRect = Rect{};
  const int32_t team = TeamOf(editor.tools);

  CellEdit edit(doc, {row * kMapCells + column, 3, 3, HISTORY_REGION});
  for (int32_t r = 0; r < 3; ++r) {
    for (int32_t c = 0; c < 3; ++c) {
      int32_t anim = flagObjects[team][r * 3 + c];
      if (pole && r == 1 && c == 1) anim = GetPoleAnim(team, editor.tools.poleFlagTeam);
      edit.Set(column + c, row + r, {-1, anim, 0});
    }
  }
  edit.Commit();
  map->view.selectionShown = 0;
  Repaint(editor, window);
  if (gesture == Gesture::kPress && editor.ui) {
    AskFor(*editor.ui, doc, kFlagGame, "Flag Game", "Flag Placed", QuestionWording::kPlacing);
  }
  return 1;
}

int PlaceSpawn(Editor& editor, WindowId window, int32_t column, int32_t row, int32_t animOffset) {
  OpenMap* map = editor.maps.Find(window);
  if (!map || !InMap(column, row)) return 0;
  MapDocument& doc = *map->doc;
  const ToolState& tools = editor.tools;
  const int32_t team = SpawnTeamOf(tools);
  const int32_t cell = row * kMapCells + column;

  if (tools.spawnKind == 1) {
    CellEdit edit(doc, {cell, 1, 1, HISTORY_REGION});
    edit.Set(cell, {doc.cells[static_cast<size_t>(cell)].tile, spawnObjects[12 + team][0], animOffset});
    edit.Commit();
    Repaint(editor, window);
    return 1;
  }
  const bool corners = tools.spawnStyle == 8;
  const int32_t style = tools.spawnStyle == 4 || corners ? tools.spawnStyle : 0;
  const int32_t* entries = spawnObjects[style + team];
  // (row, column) in the block of entries 0, 1, 3 and 4.
  struct Position { int32_t r, c; };
  const Position cross[4] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}};
  const Position corner[4] = {{0, 0}, {0, 2}, {2, 0}, {2, 2}};
  const Position* at = corners ? corner : cross;
  const int32_t animEntries[4] = {0, 1, 3, 4};

  CellEdit edit(doc, {cell, 3, 3, corners ? HISTORY_SPAWN_CROSS : HISTORY_SPAWN_PLUS});
  edit.Set(column + 1, row + 1, {entries[2], -1, -1});
  for (int i = 0; i < 4; ++i) {
    edit.Set(column + at[i].c, row + at[i].r, {-1, entries[animEntries[i]], animOffset});
  }
  edit.Commit();
  Repaint(editor, window);
  return 1;
}

int BuildHoldingPen(Editor& editor, WindowId window, int32_t animOffset) {
  OpenMap* map = editor.maps.Find(window);
  if (!map) return 0;
  const SelectionCells region = FinishRegion(map->view);
  const ToolState& tools = editor.tools;
  const int32_t kind = tools.holdingPenKind == 1 ? 1 : 0;
  const int32_t team = TeamOf(tools);
  const int32_t centre = team == TEAM_NEUTRAL ? holdingPens[kind][0] : holdingPens[kind][1 + team];

  BuildRegion(editor, window, *map->doc, region, HISTORY_REGION, [&](int32_t r, int32_t c) -> std::optional<CellValues> {
    const int32_t piece = r == region.height / 2 && c == region.width / 2 ? centre : holdingPens[kind][0];
    return kind == 0 ? CellValues{piece, -1, -1} : CellValues{-1, piece, animOffset};
  });
  return 1;
}

int BuildConveyor(Editor& editor, WindowId window, int32_t animOffset) {
  OpenMap* map = editor.maps.Find(window);
  if (!map) return 0;
  SelectionCells band = FinishRegion(map->view);
  const int32_t direction = editor.tools.conveyorDirection;
  if (direction == 2 || direction == 3) {
    band.width = 2;
  } else {
    band.height = 2;
  }
  const int32_t* e = conveyorAnims[direction >= 0 && direction < kConveyorDirections ? direction : 0];

  BuildRegion(editor, window, *map->doc, band, HISTORY_REGION, [&](int32_t r, int32_t c) -> std::optional<CellValues> {
    const bool first = c == 0;
    const bool last = c == band.width - 1;
    int32_t anim;
    if (r == 0) {
      anim = first ? e[0] : last ? e[1] : e[4];
    } else if (r == band.height - 1) {
      anim = first ? e[2] : last ? e[3] : e[5];
    } else {
      anim = first ? e[4] : e[5];
    }
    return CellValues{-1, anim, animOffset};
  });
  return 1;
}

int BuildBunker(Editor& editor, WindowId window, int32_t variant) {
  OpenMap* map = editor.maps.Find(window);
  if (!map) return 0;
  const SelectionCells region = FinishRegion(map->view);
  const int32_t type = editor.tools.currentBunkerType;
  const int32_t* b = bunkerTypes[type >= 0 && type < bunkerTypeCount ? type : 0];

  map->view.hoverRect = Rect{};
  BuildRegion(editor, window, *map->doc, region, BunkerHistoryKind(variant),
              [&](int32_t r, int32_t c) -> std::optional<CellValues> {
                const std::optional<int32_t> entry = BunkerPiece(variant, r, c, region.width, region.height);
                if (!entry) return std::nullopt;
                return CellValues{b[*entry], -1, -1};
              });
  return 1;
}

int BuildBridge(Editor& editor, WindowId window, int32_t variant) {
  OpenMap* map = editor.maps.Find(window);
  if (!map) return 0;
  const SelectionCells region = FinishRegion(map->view);

  map->view.hoverRect = Rect{};
  BuildRegion(editor, window, *map->doc, region, HISTORY_REGION, [&](int32_t r, int32_t c) -> std::optional<CellValues> {
    return CellValues{bridgeTiles[BridgePiece(variant, r, c, region.width, region.height)], -1, -1};
  });
  return 1;
}

}  // namespace quarl
