#pragma once
// How quarl-map writes maps, cells, tables and animations as JSON. The field
// names and shapes are a contract: scripts depend on them.

#include <nlohmann/json.hpp>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "history/mirror_rotate_tables.h"
#include "map/map_document.h"
#include "tools/animations.h"

namespace quarl {

using Json = nlohmann::ordered_json;

// Map text is single-byte Latin-1; JSON is UTF-8.
std::string Latin1ToUtf8(const std::string& text);

// The first three header fields exactly as the file has them; absent when the
// file is too short to hold them.
struct RawHeaderStart {
  std::optional<uint16_t> magic;
  std::optional<uint16_t> headerLength;
  std::optional<uint8_t> version;
};
RawHeaderStart ReadRawHeaderStart(std::span<const uint8_t> file);

Json DocumentJson(const MapDocument& doc, const RawHeaderStart& header);
// Rows of [tile, anim, data] for the rectangle (already inside the map).
Json CellsJson(const MapDocument& doc, int x, int y, int width, int height);
Json TablesJson(const MirrorRotateTables& tables);
Json AnimationsJson(const AnimationList& animations);

}  // namespace quarl
