#pragma once
// The Map Information dialog's rules that need no window: how its number
// fields are corrected while typing and what OK stores from them. Filling
// the dialog and OK's writing into the document come with the dialog
// (app/win/map_information_dialog.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace quarl
