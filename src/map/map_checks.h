#pragma once
// The game-object tables, the object count that derives a map's object
// fields from its cells, and the two checks that saving runs.

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_document.h"

namespace quarl {

constexpr int32_t SWITCH_ANIM = 123;
constexpr size_t kObjectListCapacity = 2048;

// One flag pole or neutral flag found by the object count.
struct ObjectRecord {
  uint16_t column = 0;
  uint16_t row = 0;
  uint8_t anim = 0;
};

// Either no problem (stringId 0) or a string of the string table and a team
// (0..4), or no team (-1).
struct CheckResult {
  int stringId = 0;
  int team = -1;
  bool Problem() const { return stringId != 0; }
  bool operator==(const CheckResult&) const = default;
};

bool IsFlagAnim(int team, int32_t anim);   // team 0..4
bool IsPoleAnim(int team, int32_t anim);   // team 0..3
int32_t GetPoleAnim(int team, int flagColour);
int PoleFlagColour(int32_t poleAnim);      // the owner of the flag the pole holds
bool IsPopupTile(int32_t tile);

// Recounts flagCount, poleCount, poleTeams, switchCount, neutralFlagCount and
// popupCount from the cells. Poles and neutral flags go to objects, in
// cell-index order, up to kObjectListCapacity records.
void CountMapObjects(MapDocument& doc, std::vector<ObjectRecord>* objects = nullptr);
CheckResult CheckFlags(const MapDocument& doc);
CheckResult CheckSpawnsAndPens(const MapDocument& doc);

// The text the saver shows: the string, then the team's name in parentheses
// ("%s (%s)"), or the string alone without a team.
std::string CheckMessage(const CheckResult& result);

}  // namespace quarl
