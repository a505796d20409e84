#include "quarl_map_json.h"

namespace quarl {

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

RawHeaderStart ReadRawHeaderStart(std::span<const uint8_t> file) {
  RawHeaderStart header;
  if (file.size() >= 2) header.magic = static_cast<uint16_t>(file[0] | file[1] << 8);
  if (file.size() >= 4) header.headerLength = static_cast<uint16_t>(file[2] | file[3] << 8);
  if (file.size() >= 5) header.version = file[4];
  return header;
}

namespace {

template <typename T>
Json OptionalJson(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

Json TeamArray(const std::array<uint8_t, 4>& values) {
  Json array = Json::array();
  for (uint8_t v : values) array.push_back(v);
  return array;
}

}  // namespace

Json DocumentJson(const MapDocument& doc, const RawHeaderStart& header) {
  Json poleTeams = Json::array();
  for (int t = 0; t < 4; ++t) {
    Json teams = Json::array();
    for (int k = 0; k < doc.poleCount[t] && k < static_cast<int>(doc.poleTeams[t].size()); ++k) {
      teams.push_back(doc.poleTeams[t][k]);
    }
    poleTeams.push_back(teams);
  }
  Json j;
  j["magic"] = OptionalJson(header.magic);
  j["headerLength"] = OptionalJson(header.headerLength);
  j["version"] = OptionalJson(header.version);
  j["width"] = doc.width;
  j["height"] = doc.height;
  j["maxPlayers"] = doc.maxPlayers;
  j["holding"] = doc.holding;
  j["teamCount"] = doc.teamCount;
  j["gameType"] = doc.gameType;
  j["laserDamage"] = doc.laserDamage;
  j["specialDamage"] = doc.specialDamage;
  j["rechargeRate"] = doc.rechargeRate;
  j["missiles"] = doc.missiles;
  j["bombs"] = doc.bombs;
  j["bouncies"] = doc.bouncies;
  j["popupCount"] = doc.popupCount;
  j["powerups"] = doc.powerups;
  j["switchCount"] = doc.switchCount;
  j["flagCount"] = TeamArray(doc.flagCount);
  j["poleCount"] = TeamArray(doc.poleCount);
  j["poleTeams"] = poleTeams;
  j["neutralFlagCount"] = doc.neutralFlagCount;
  j["name"] = Latin1ToUtf8(doc.name);
  j["description"] = Latin1ToUtf8(doc.description);
  return j;
}

Json CellsJson(const MapDocument& doc, int x, int y, int width, int height) {
  Json rows = Json::array();
  for (int r = y; r < y + height; ++r) {
    Json row = Json::array();
    for (int c = x; c < x + width; ++c) {
      const Cell& cell = doc.At(c, r);
      row.push_back(Json::array({cell.tile, cell.anim, cell.data}));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

namespace {

Json TableJson(const MirrorRotateTable& table) {
  Json rows = Json::array();
  for (const MirrorRotateEntry& entry : table.entries) {
    rows.push_back(Json::array({entry.slots[0], entry.slots[1], entry.slots[2], entry.slots[3]}));
  }
  return rows;
}

}  // namespace

Json TablesJson(const MirrorRotateTables& tables) {
  Json j;
  j["mirror"] = TableJson(tables.mirror);
  j["rotate"] = TableJson(tables.rotate);
  return j;
}

Json AnimationsJson(const AnimationList& animations) {
  Json list = Json::array();
  for (const Animation& a : animations.All()) {
    Json entry;
    entry["id"] = a.id;
    entry["frames"] = a.frames;
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace quarl
