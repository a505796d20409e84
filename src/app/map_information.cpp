#include "app/map_information.h"

#include <algorithm>
#include <climits>

namespace quarl {
namespace {

struct NumberRule {
  int32_t emptyCountsAs;  // while typing
  int32_t minimum;
  int32_t maximum;
  uint8_t emptyStores;  // on OK
};

NumberRule RuleOf(MapInfoNumber field) {
  switch (field) {
    case MapInfoNumber::kPlayers: return {2, 2, 64, 64};
    case MapInfoNumber::kHolding: return {1, 1, INT32_MAX, 12};
    case MapInfoNumber::kTeams: return {2, 2, 4, 2};
    case MapInfoNumber::kPowerup: break;
  }
  return {0, INT32_MIN, INT32_MAX, 4};
}

std::string_view Counted(std::string_view text) { return text.substr(0, std::min(text.size(), kMapInfoNumberChars)); }

// Leading blanks, a sign, then digits, as the C library converts a number;
// text without a number gives 0.
int32_t LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;  // at most four characters: no overflow
}

}  // namespace

std::optional<std::string> CorrectedNumberText(MapInfoNumber field, std::string_view text) {
  if (field == MapInfoNumber::kPowerup) return std::nullopt;
  const NumberRule rule = RuleOf(field);
  const std::string_view counted = Counted(text);
  const int32_t value = counted.empty() ? rule.emptyCountsAs : LeadingNumber(counted);
  if (value >= rule.minimum && value <= rule.maximum) return std::nullopt;
  return std::to_string(std::clamp(value, rule.minimum, rule.maximum));
}

uint8_t StoredNumber(MapInfoNumber field, std::string_view text) {
  const std::string_view counted = Counted(text);
  if (counted.empty()) return RuleOf(field).emptyStores;
  return static_cast<uint8_t>(static_cast<uint32_t>(LeadingNumber(counted)) & 0xFFu);
}

void ApplyMapInformation(MapDocument& doc, const MapInformationFields& fields) {
  doc.modified = 1;
  doc.name = fields.name;
  doc.description = fields.description;
  doc.laserDamage = static_cast<uint8_t>(fields.laserDamage);
  doc.specialDamage = static_cast<uint8_t>(fields.specialDamage);
  doc.rechargeRate = static_cast<uint8_t>(fields.rechargeRate);
  doc.bouncies = fields.bouncies ? 1 : 0;
  doc.missiles = fields.missiles ? 1 : 0;
  doc.bombs = fields.bombs ? 1 : 0;
  doc.maxPlayers = StoredNumber(MapInfoNumber::kPlayers, fields.players);
  doc.powerups = StoredNumber(MapInfoNumber::kPowerup, fields.powerup);
  doc.holding = StoredNumber(MapInfoNumber::kHolding, fields.holding);
  doc.teamCount = StoredNumber(MapInfoNumber::kTeams, fields.teams);
  doc.gameType = fields.fragGame ? 0 : fields.flagGame ? 1 : 2;
}

std::string MapInformationTitle(const MapDocument& doc) {
  constexpr size_t kTitleChars = 255;
  std::string title = doc.name;
  if (!doc.path.empty()) {
    const size_t slash = doc.path.rfind('\\');
    title += " (" + doc.path.substr(slash == std::string::npos ? 0 : slash + 1) + ")";
  }
  if (title.size() > kTitleChars) title.resize(kTitleChars);
  return title;
}

}  // namespace quarl
