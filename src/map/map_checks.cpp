#include "map/map_checks.h"

#include <algorithm>
#include <array>

#include "base/string_table.h"

namespace quarl {
namespace {

// Both object tables are kept as one list per team: a count, then that many
// animation ids, the lists one after another in team order.
constexpr int32_t kFlagAnims[] = {
    1, 28,   // Green
    1, 37,   // Red
    1, 46,   // Blue
    1, 65,   // Yellow
    1, 140,  // Neutral
};

// Each team's five poles, one per flag colour; the last holds the team's own
// colour and is the team's flag itself. A 0 count ends the table.
constexpr int32_t kPoleAnims[] = {
    5, 25, 26, 27, 128, 28,  // Green
    5, 32, 34, 35, 129, 37,  // Red
    5, 40, 41, 43, 130, 46,  // Blue
    5, 58, 59, 60, 131, 65,  // Yellow
    0,
};

constexpr int32_t kPopupTiles[] = {36, 37, 38, 39, 76, 77, 78, 79};

struct SpawnAndPen {
  int32_t spawnTiles[2];
  int32_t spawnAnim;
  int32_t penTile;
  int32_t penAnim;
};

constexpr SpawnAndPen kSpawnsAndPens[4] = {
    {{63, 147}, 163, 146, 141},   // Green
    {{103, 187}, 164, 186, 142},  // Red
    {{192, 277}, 165, 276, 143},  // Blue
    {{232, 317}, 166, 316, 144},  // Yellow
};

// Walks a count-prefixed table to the list of `team` and tells whether it
// holds `anim`. Stops at a 0 count or at the end of the table.
template <size_t N>
bool ListHolds(const int32_t (&table)[N], int team, int32_t anim) {
  if (team < 0) return false;
  size_t pos = 0;
  for (int t = 0; pos < N; ++t) {
    const int32_t count = table[pos];
    if (count <= 0) return false;
    if (pos + 1 + static_cast<size_t>(count) > N) return false;
    if (t == team) {
      const int32_t* first = &table[pos + 1];
      return std::find(first, first + count, anim) != first + count;
    }
    pos += 1 + static_cast<size_t>(count);
  }
  return false;
}

template <size_t N>
int32_t FindInList(const int32_t (&table)[N], int team, int flagColour) {
  if (team < 0) return -1;
  size_t pos = 0;
  for (int t = 0; pos < N; ++t) {
    const int32_t count = table[pos];
    if (count <= 0) return -1;
    if (pos + 1 + static_cast<size_t>(count) > N) return -1;
    if (t == team) {
      for (int32_t k = 0; k < count; ++k) {
        const int32_t anim = table[pos + 1 + static_cast<size_t>(k)];
        if (PoleFlagColour(anim) == flagColour) return anim;
      }
      return -1;
    }
    pos += 1 + static_cast<size_t>(count);
  }
  return -1;
}

}  // namespace

bool IsFlagAnim(int team, int32_t anim) { return ListHolds(kFlagAnims, team, anim); }

bool IsPoleAnim(int team, int32_t anim) { return team <= TEAM_YELLOW && ListHolds(kPoleAnims, team, anim); }

int32_t GetPoleAnim(int team, int flagColour) {
  if (team > TEAM_YELLOW) return -1;
  return FindInList(kPoleAnims, team, flagColour);
}

int PoleFlagColour(int32_t poleAnim) {
  switch (poleAnim) {
    case 25: case 37: case 41: case 59: return TEAM_RED;
    case 26: case 34: case 46: case 60: return TEAM_BLUE;
    case 27: case 35: case 43: case 65: return TEAM_YELLOW;
    case 28: case 32: case 40: case 58: return TEAM_GREEN;
    default: return TEAM_NEUTRAL;
  }
}

bool IsPopupTile(int32_t tile) {
  return std::find(std::begin(kPopupTiles), std::end(kPopupTiles), tile) != std::end(kPopupTiles);
}

void CountMapObjects(MapDocument& doc, std::vector<ObjectRecord>* objects) {
  // A u8 count indexes at most 255; the counts wrap, so a later pole may
  // overwrite an earlier one's slot, as the file's fields would.
  std::array<std::array<uint8_t, 257>, 4> scratch{};
  doc.flagCount = {};
  doc.poleCount = {};
  for (auto& teams : doc.poleTeams) teams.clear();
  doc.switchCount = 0;
  doc.neutralFlagCount = 0;
  doc.popupCount = 0;
  if (objects) objects->clear();

  auto record = [objects](int column, int row, int32_t anim) {
    if (objects && objects->size() < kObjectListCapacity)
      objects->push_back({static_cast<uint16_t>(column), static_cast<uint16_t>(row), static_cast<uint8_t>(anim)});
  };

  const int cellCount = std::min<int>(kCellCount, static_cast<int>(doc.cells.size()));
  for (int i = 0; i < cellCount; ++i) {
    const Cell& cell = doc.cells[static_cast<size_t>(i)];
    const int column = i % kMapCells;
    const int row = i / kMapCells;
    if (cell.anim != -1 && cell.data != -1) {
      const int32_t a = cell.anim;
      if (a == SWITCH_ANIM) ++doc.switchCount;
      for (int t = 0; t < 4; ++t) {
        if (!IsPoleAnim(t, a)) continue;
        scratch[t][doc.poleCount[t]] = static_cast<uint8_t>(PoleFlagColour(a));
        ++doc.poleCount[t];  // u8: wraps at 256 like the file's field
        if (IsFlagAnim(t, a)) ++doc.flagCount[t];
        record(column, row, a);
      }
      if (IsFlagAnim(TEAM_NEUTRAL, a)) {
        ++doc.neutralFlagCount;
        record(column, row, a);
      }
    } else if (IsPopupTile(cell.tile)) {
      ++doc.popupCount;
    }
  }

  for (int t = 0; t < 4; ++t)
    doc.poleTeams[t].assign(scratch[t].begin(), scratch[t].begin() + doc.poleCount[t]);
}

CheckResult CheckFlags(const MapDocument& doc) {
  const int teamCount = doc.teamCount;
  int active = 0;
  for (int t = 0; t < 4; ++t)
    if (doc.flagCount[t] > 0) ++active;

  if (active + doc.neutralFlagCount > 0 && doc.switchCount > 0) return {IDS_SWITCHES_AND_FLAGS, -1};
  if (doc.neutralFlagCount == 0 && doc.switchCount == 0) {
    if (active > teamCount) return {IDS_TOO_MANY_FLAG_TYPES, -1};
    if (active < teamCount) return {IDS_TOO_FEW_FLAG_TYPES, -1};
  }

  std::array<int, 5> poles{};
  for (const auto& teams : doc.poleTeams)
    for (uint8_t colour : teams)
      if (colour < poles.size()) ++poles[colour];

  for (int t = 3; t >= 0; --t) {
    const int needed = doc.flagCount[t] * teamCount;
    if (needed > poles[t]) return {IDS_MORE_FLAGS_THAN_POLES, t};
    if (needed < poles[t]) return {IDS_LESS_FLAGS_THAN_POLES, t};
  }
  const int neededNeutral = doc.neutralFlagCount * teamCount;
  if (neededNeutral > poles[TEAM_NEUTRAL]) return {IDS_MORE_FLAGS_THAN_POLES, TEAM_NEUTRAL};
  if (neededNeutral < poles[TEAM_NEUTRAL]) return {IDS_LESS_FLAGS_THAN_POLES, TEAM_NEUTRAL};

  if (teamCount >= 3 && doc.switchCount > 0) return {IDS_SWITCHES_MORE_THAN_2_TEAMS, -1};
  return {};
}

CheckResult CheckSpawnsAndPens(const MapDocument& doc) {
  std::array<int, 4> spawns{};
  std::array<int, 4> pens{};
  for (const Cell& cell : doc.cells) {
    for (int t = 0; t < 4; ++t) {
      const SpawnAndPen& entry = kSpawnsAndPens[t];
      if (cell.data == -1) {
        if (cell.tile == entry.spawnTiles[0] || cell.tile == entry.spawnTiles[1]) ++spawns[t];
        if (cell.tile == entry.penTile) ++pens[t];
      } else {
        if (cell.anim == entry.spawnAnim) ++spawns[t];
        if (cell.anim == entry.penAnim) ++pens[t];
      }
    }
  }

  // A team count read from a file may lie outside 2..4; only teams 0..3 exist.
  const int playing = std::min<int>(doc.teamCount, 4);
  for (int t = 0; t < playing; ++t) {
    if (pens[t] == 0) return {IDS_NO_PEN_FOR_TEAM, t};
    if (spawns[t] == 0) return {IDS_NO_SPAWN_FOR_TEAM, t};
  }
  for (int t = playing; t < 4; ++t) {
    if (pens[t] > 0) return {IDS_PEN_FOR_ABSENT_TEAM, t};
    if (spawns[t] > 0) return {IDS_SPAWN_FOR_ABSENT_TEAM, t};
  }
  return {};
}

std::string CheckMessage(const CheckResult& result) {
  std::string text = StringText(result.stringId);
  if (result.team < 0) return text;
  return text + " (" + TeamName(result.team) + ")";
}

}  // namespace quarl
