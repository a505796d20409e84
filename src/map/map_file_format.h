#pragma once
// The .map file layout: the header in file order and the 16-bit cell words.
// Nothing here touches files, windows or zlib; map_files.cpp does that.
//
// File layout (little-endian, no gaps; T teams, S poles of those teams):
//   magic u16, headerLength u16, version u8, width u16, height u16,
//   maxPlayers, holding, teamCount, gameType, laserDamage, specialDamage,
//   rechargeRate, missiles, bombs, bouncies (u8 each), popupCount u16,
//   powerups u8, switchCount u8, flagCount[T], poleCount[T], poleTeams[S],
//   nameLength u16, name, descriptionLength u16, description,
//   ... neutralFlagCount u8 at headerLength + 1, cells from headerLength + 2.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "map/map_document.h"

namespace quarl {

constexpr size_t kCellBlockBytes = static_cast<size_t>(kCellCount) * 2;  // 131072
constexpr size_t kCompressBufferBytes = 131200;  // room for compress2's output
constexpr uint8_t kSavedMapVersion = 3;
constexpr int kCompressLevel = 9;
constexpr int kMaxTeams = 4;

// --- Cell words -----------------------------------------------------------

// Animated cell: high byte (data + 128) mod 256, low byte anim mod 256.
// Plain cell: the low 16 bits of tile.
inline uint16_t EncodeCellWord(const Cell& cell) {
  if (cell.data != -1) {
    return static_cast<uint16_t>((((cell.data + 128) & 0xFF) << 8) | (cell.anim & 0xFF));
  }
  return static_cast<uint16_t>(cell.tile & 0xFFFF);
}

// Bit 15 set: animated cell with tile 0, data = bits 8..14, anim = low byte.
// Otherwise a plain cell: tile = the low 15 bits, anim -1, data -1.
inline void DecodeCellWord(uint16_t word, Cell& cell) {
  if (word & 0x8000) {
    cell.tile = 0;
    cell.anim = word & 0xFF;
    cell.data = (word >> 8) & 0x7F;
  } else {
    cell.tile = word & 0x7FFF;
    cell.anim = -1;
    cell.data = -1;
  }
}

// Packs all kCellCount cells into out (kCellBlockBytes bytes), little-endian.
void EncodeCells(const std::vector<Cell>& cells, uint8_t* out);

// Decodes the whole words in bytes (at most kCellCount) into the first cells;
// the others are not touched. Returns the number of cells decoded.
size_t DecodeCells(std::span<const uint8_t> bytes, std::vector<Cell>& cells);

// --- Header ---------------------------------------------------------------

// The three words in front of the header fields.
struct MapFilePrelude {
  uint16_t headerLength = 0;
  uint8_t version = 0;
};

// Where the cells start: right after the neutralFlagCount byte.
inline size_t CellBlockOffset(const MapFilePrelude& prelude) {
  return static_cast<size_t>(prelude.headerLength) + 2;
}

// Version 1 keeps the cell block raw; every other version compresses it.
inline bool CellBlockIsCompressed(uint8_t version) { return version != 1; }

// Reads magic into doc and returns headerLength and version. A field the
// file is too short to hold keeps its previous value (0 for the locals).
MapFilePrelude ReadMapPrelude(std::span<const uint8_t> file, MapDocument& doc);

enum class HeaderStatus {
  Ok,
  // teamCount above kMaxTeams: the per-team fields that follow cannot be
  // held, so nothing after teamCount was read.
  TooManyTeams,
};

// Reads the header fields after the prelude, in file order, into doc, then
// neutralFlagCount from headerLength + 1, and forces width and height to 256.
// Short files: a field is only taken when all its bytes are present; the
// others keep their values. A name, description or pole list cut short by the
// end of the file keeps the bytes that are there (pole lists are padded with
// 0 to their count, so poleTeams[t] always holds poleCount[t] entries).
HeaderStatus ReadMapHeader(std::span<const uint8_t> file, const MapFilePrelude& prelude,
                           MapDocument& doc);

// The headerLength the saver writes: 26 + 2T + S + N + D, in 16 bits, where
// S sums poleCount of the T teams.
uint16_t SavedHeaderLength(const MapDocument& doc);
// Whether that sum fits in 16 bits; when it does not, the neutral flag byte
// and the cells would land inside the header, so the map cannot be saved.
bool HeaderLengthFits(const MapDocument& doc);

// magic, headerLength, version and every header field up to and including
// neutralFlagCount: SavedHeaderLength(doc) + 2 bytes when HeaderLengthFits.
// The version written is doc.version. A teamCount above kMaxTeams (which no
// loaded or edited map holds) is written as kMaxTeams, so that the file stays
// readable.
std::vector<uint8_t> EncodeMapHeader(const MapDocument& doc);

}  // namespace quarl
