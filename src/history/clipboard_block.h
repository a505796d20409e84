#pragma once
// The editor's private clipboard format "ZOR": "ZOR", the version character
// '0', the block width and height (16 bits each, big-endian), then one 16-bit
// value per cell, rows top to bottom, high byte first.
//
// A cell value with its top bit clear is a tile number (15 bits). With the
// top bit set it is an animation: the low 7 bits of the high byte are the
// animation data (0..127), the low byte the animation id (0..255).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "history/region_edits.h"
#include "map/map_document.h"

namespace quarl {

constexpr size_t kClipboardHeaderSize = 8;

// A plain cell: bits 14..0 of its tile. An animated cell: high byte
// (data + 128) mod 256, low byte the low 8 bits of its animation id.
uint16_t ClipboardCellValue(const CellValues& cell);
// The cell a value pastes as: (v, -1, -1) for a tile, (-1, anim, data) for
// an animation.
CellValues CellValuesFromClipboard(uint16_t value);

// The bytes of a block, 8 + 2 x width x height of them. Width and height are
// written as their low 16 bits; a block is at most 256 x 256 cells.
std::vector<uint8_t> EncodeClipboardBlock(const CellBlock& block);

// Reads a block back. nullopt (paste nothing) when the bytes do not start
// with "ZOR" or hold fewer than 8 + 2 x width x height bytes; a short block
// is refused as a whole rather than pasted in part. Bytes after the last
// value are ignored (a clipboard may hand over more than was put on it), and
// so is the version character.
std::optional<CellBlock> DecodeClipboardBlock(std::span<const uint8_t> bytes);

}  // namespace quarl
