#include "history/clipboard_block.h"

namespace quarl {
namespace {

void PutWord(std::vector<uint8_t>& out, uint16_t word) {
  out.push_back(static_cast<uint8_t>(word >> 8));
  out.push_back(static_cast<uint8_t>(word & 0xFF));
}

uint16_t WordAt(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

}  // namespace

uint16_t ClipboardCellValue(const CellValues& cell) {
  if (cell.data == -1) return static_cast<uint16_t>(cell.tile & 0x7FFF);
  const uint32_t high = static_cast<uint32_t>(cell.data + 128) & 0xFFu;
  return static_cast<uint16_t>(high << 8 | (static_cast<uint32_t>(cell.anim) & 0xFFu));
}

CellValues CellValuesFromClipboard(uint16_t value) {
  if (value & 0x8000) return {-1, value & 0xFF, (value >> 8) & 0x7F};
  return {value, -1, -1};
}

std::vector<uint8_t> EncodeClipboardBlock(const CellBlock& block) {
  std::vector<uint8_t> bytes = {'Z', 'O', 'R', '0'};
  bytes.reserve(kClipboardHeaderSize + 2 * block.values.size());
  PutWord(bytes, static_cast<uint16_t>(block.width));
  PutWord(bytes, static_cast<uint16_t>(block.height));
  for (const CellValues& cell : block.values) PutWord(bytes, ClipboardCellValue(cell));
  return bytes;
}

std::optional<CellBlock> DecodeClipboardBlock(std::span<const uint8_t> bytes) {
  if (bytes.size() < 3 || bytes[0] != 'Z' || bytes[1] != 'O' || bytes[2] != 'R') return std::nullopt;
  if (bytes.size() < kClipboardHeaderSize) return std::nullopt;
  CellBlock block;
  block.width = WordAt(bytes, 4);
  block.height = WordAt(bytes, 6);
  const size_t count = static_cast<size_t>(block.width) * static_cast<size_t>(block.height);
  if ((bytes.size() - kClipboardHeaderSize) / 2 < count) return std::nullopt;
  block.values.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    block.values.push_back(CellValuesFromClipboard(WordAt(bytes, kClipboardHeaderSize + 2 * i)));
  }
  return block;
}

}  // namespace quarl
