#pragma once
// The Map Information dialog's rules that need no window: how its number
// fields are corrected while typing, what OK stores from its fields and how
// it retitles the map window. The dialog itself is
// app/win/map_information_dialog.h.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "map/map_document.h"

namespace quarl {

enum class MapInfoNumber { kPlayers, kHolding, kTeams, kPowerup };

// Only the first four characters of a number field count.
constexpr size_t kMapInfoNumberChars = 4;

// The live check of a number field whose text is about to be shown: Teams
// must lie in 2..4, Players in 2..64 and Holding be at least 1, an empty
// field counting as 2, 2 and 1. Returns the text to show instead (the number
// clamped into the range, in decimal; the caller also beeps), or nullopt
// when the text may stay. Powerup is never corrected.
std::optional<std::string> CorrectedNumberText(MapInfoNumber field, std::string_view text);

// What OK stores from a number field: the field's leading decimal number
// modulo 256, or for an empty field 64 (Players), 12 (Holding), 2 (Teams)
// or 4 (Powerup).
uint8_t StoredNumber(MapInfoNumber field, std::string_view text);

// What the dialog's controls hold when OK is pressed.
struct MapInformationFields {
  std::string name, description;
  int laserDamage = 0, specialDamage = 0, rechargeRate = 0;  // slider positions
  bool bouncies = false, missiles = false, bombs = false;
  std::string players, holding, teams, powerup;  // the number fields' texts
  bool fragGame = false, flagGame = false;       // neither: Switch game
};

// OK: writes the fields into the document (numbers by StoredNumber, game type
// 0 for Frag, else 1 for Flag, else 2) and marks it modified.
void ApplyMapInformation(MapDocument& doc, const MapInformationFields& fields);

// The map window's title after OK: "name (file)" with the path's part after
// its last backslash, or the plain name for a map never saved; at most 255
// characters.
std::string MapInformationTitle(const MapDocument& doc);

}  // namespace quarl
