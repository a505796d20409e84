#include "map/map_file_format.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace quarl {
namespace {

// Reads little-endian fields from a file image. A read past the end gives
// nothing and leaves the destination as it was, the way an unchecked short
// read leaves a field at its new-map value.
class FieldReader {
 public:
  FieldReader(std::span<const uint8_t> bytes, size_t offset) : bytes_(bytes), offset_(offset) {}

  void U8(uint8_t& value) {
    if (Remaining() >= 1) value = bytes_[offset_];
    Advance(1);
  }
  bool U16(uint16_t& value) {
    bool present = Remaining() >= 2;
    if (present) value = static_cast<uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
    Advance(2);
    return present;
  }
  // Up to count bytes into out; returns how many were there.
  size_t Bytes(uint8_t* out, size_t count) {
    size_t n = std::min(count, Remaining());
    if (n > 0) std::memcpy(out, bytes_.data() + offset_, n);
    Advance(count);
    return n;
  }

 private:
  size_t Remaining() const { return offset_ < bytes_.size() ? bytes_.size() - offset_ : 0; }
  void Advance(size_t n) { offset_ = n <= Remaining() ? offset_ + n : bytes_.size(); }

  std::span<const uint8_t> bytes_;
  size_t offset_;
};

// Reads a length-prefixed string. Without its length the text keeps its
// value; a text cut short by the end of the file keeps the bytes that are
// there.
void ReadText(FieldReader& reader, std::string& text) {
  uint16_t length = 0;
  if (!reader.U16(length)) return;
  std::string read(length, '\0');
  size_t got = reader.Bytes(reinterpret_cast<uint8_t*>(read.data()), length);
  read.resize(got);
  text = std::move(read);
}

class FieldWriter {
 public:
  explicit FieldWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U8(uint8_t value) { out_.push_back(value); }
  void U16(uint16_t value) {
    out_.push_back(static_cast<uint8_t>(value & 0xFF));
    out_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void Bytes(const void* data, size_t count) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + count);
  }

 private:
  std::vector<uint8_t>& out_;
};

int SavedTeams(const MapDocument& doc) { return std::min<int>(doc.teamCount, kMaxTeams); }

uint32_t FullHeaderLength(const MapDocument& doc) {
  int teams = SavedTeams(doc);
  uint32_t length = 26 + 2u * static_cast<uint32_t>(teams);
  for (int t = 0; t < teams; ++t) length += doc.poleCount[t];
  length += doc.nameLength();
  length += doc.descriptionLength();
  return length;
}

}  // namespace

void EncodeCells(const std::vector<Cell>& cells, uint8_t* out) {
  const Cell* cell = cells.data();
  for (size_t i = 0; i < static_cast<size_t>(kCellCount); ++i) {
    uint16_t word = EncodeCellWord(cell[i]);
    out[2 * i] = static_cast<uint8_t>(word & 0xFF);
    out[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
}

// Loading writes every cell of the map, 1.5 MB of records, right after
// inflating; that pass costs about as much as zlib's own work. tile and anim
// are stored together as one 64-bit word, which takes a third off the pass.
// The layout checks keep that exact; elsewhere the plain decode is used.
constexpr bool kPackTileAndAnim = std::endian::native == std::endian::little &&
                                  std::is_standard_layout_v<Cell> && offsetof(Cell, tile) == 0 &&
                                  offsetof(Cell, anim) == 4 && offsetof(Cell, data) == 8;

size_t DecodeCells(std::span<const uint8_t> bytes, std::vector<Cell>& cells) {
  size_t count = std::min({bytes.size() / 2, cells.size(), static_cast<size_t>(kCellCount)});
  const uint8_t* in = bytes.data();
  Cell* cell = cells.data();
  for (size_t i = 0; i < count; ++i) {
    const uint16_t word = static_cast<uint16_t>(in[2 * i] | (in[2 * i + 1] << 8));
    if constexpr (kPackTileAndAnim) {
      uint64_t tileAndAnim;
      int32_t data;
      if (word & 0x8000) {
        tileAndAnim = static_cast<uint64_t>(word & 0xFF) << 32;  // tile 0
        data = (word >> 8) & 0x7F;
      } else {
        tileAndAnim = 0xFFFFFFFF00000000ull | (word & 0x7FFF);  // anim -1
        data = -1;
      }
      std::memcpy(reinterpret_cast<unsigned char*>(&cell[i]), &tileAndAnim, sizeof tileAndAnim);
      cell[i].data = data;
    } else {
      DecodeCellWord(word, cell[i]);
    }
  }
  return count;
}

MapFilePrelude ReadMapPrelude(std::span<const uint8_t> file, MapDocument& doc) {
  MapFilePrelude prelude;
  FieldReader reader(file, 0);
  reader.U16(doc.magic);
  reader.U16(prelude.headerLength);
  reader.U8(prelude.version);
  return prelude;
}

HeaderStatus ReadMapHeader(std::span<const uint8_t> file, const MapFilePrelude& prelude,
                           MapDocument& doc) {
  FieldReader reader(file, 5);
  reader.U16(doc.width);
  reader.U16(doc.height);
  reader.U8(doc.maxPlayers);
  reader.U8(doc.holding);
  reader.U8(doc.teamCount);
  if (doc.teamCount > kMaxTeams) return HeaderStatus::TooManyTeams;
  reader.U8(doc.gameType);
  reader.U8(doc.laserDamage);
  reader.U8(doc.specialDamage);
  reader.U8(doc.rechargeRate);
  reader.U8(doc.missiles);
  reader.U8(doc.bombs);
  reader.U8(doc.bouncies);
  reader.U16(doc.popupCount);
  reader.U8(doc.powerups);
  reader.U8(doc.switchCount);

  const int teams = doc.teamCount;
  for (int t = 0; t < teams; ++t) reader.U8(doc.flagCount[t]);
  for (int t = 0; t < teams; ++t) reader.U8(doc.poleCount[t]);
  for (int t = 0; t < teams; ++t) {
    std::vector<uint8_t> poles(doc.poleCount[t], 0);
    reader.Bytes(poles.data(), poles.size());
    doc.poleTeams[t] = std::move(poles);
  }

  ReadText(reader, doc.name);
  ReadText(reader, doc.description);

  FieldReader neutral(file, static_cast<size_t>(prelude.headerLength) + 1);
  neutral.U8(doc.neutralFlagCount);

  doc.width = kMapCells;
  doc.height = kMapCells;
  return HeaderStatus::Ok;
}

uint16_t SavedHeaderLength(const MapDocument& doc) {
  return static_cast<uint16_t>(FullHeaderLength(doc) & 0xFFFF);
}

bool HeaderLengthFits(const MapDocument& doc) { return FullHeaderLength(doc) <= 0xFFFF; }

std::vector<uint8_t> EncodeMapHeader(const MapDocument& doc) {
  std::vector<uint8_t> out;
  out.reserve(FullHeaderLength(doc) + 2);
  FieldWriter writer(out);
  const int teams = SavedTeams(doc);
  writer.U16(doc.magic);
  writer.U16(SavedHeaderLength(doc));
  writer.U8(doc.version);
  writer.U16(doc.width);
  writer.U16(doc.height);
  writer.U8(doc.maxPlayers);
  writer.U8(doc.holding);
  writer.U8(static_cast<uint8_t>(teams));
  writer.U8(doc.gameType);
  writer.U8(doc.laserDamage);
  writer.U8(doc.specialDamage);
  writer.U8(doc.rechargeRate);
  writer.U8(doc.missiles);
  writer.U8(doc.bombs);
  writer.U8(doc.bouncies);
  writer.U16(doc.popupCount);
  writer.U8(doc.powerups);
  writer.U8(doc.switchCount);
  for (int t = 0; t < teams; ++t) writer.U8(doc.flagCount[t]);
  for (int t = 0; t < teams; ++t) writer.U8(doc.poleCount[t]);
  // Exactly poleCount[t] bytes per team; a list shorter than its count (the
  // count not refreshed yet) is padded with Green.
  for (int t = 0; t < teams; ++t) {
    const std::vector<uint8_t>& poles = doc.poleTeams[t];
    for (size_t k = 0; k < doc.poleCount[t]; ++k) writer.U8(k < poles.size() ? poles[k] : 0);
  }
  writer.U16(doc.nameLength());
  writer.Bytes(doc.name.data(), doc.nameLength());
  writer.U16(doc.descriptionLength());
  writer.Bytes(doc.description.data(), doc.descriptionLength());
  writer.U8(doc.neutralFlagCount);
  return out;
}

}  // namespace quarl
