#include <cstdio>
#include <filesystem>

#include "demo_game.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"

namespace quarl::demo {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes, std::string* error) {
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) {
    *error = "cannot create " + path.string();
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) {
    *error = "cannot write " + path.string();
    return false;
  }
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeTilesBmp(const DemoGame& game) {
  // 14-byte file header, 40-byte information header, 256 colour entries
  // (blue, green, red, 0), then the rows bottom-up. 640 bytes a row need no padding.
  constexpr uint32_t kPixelOffset = 14 + 40 + 256 * 4;
  constexpr uint32_t kPixelBytes = kSheetWidth * kSheetHeight;
  std::vector<uint8_t> out;
  out.reserve(kPixelOffset + kPixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kPixelOffset + kPixelBytes);
  Put32(out, 0);
  Put32(out, kPixelOffset);
  Put32(out, 40);
  Put32(out, kSheetWidth);
  Put32(out, kSheetHeight);
  Put16(out, 1);   // planes
  Put16(out, 8);   // bits per pixel
  Put32(out, 0);   // no compression
  Put32(out, kPixelBytes);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 256);  // colours used
  Put32(out, 256);  // colours important
  for (const Rgb& c : game.palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = kSheetHeight - 1; y >= 0; --y) {
    const uint8_t* row = &game.sheet[static_cast<size_t>(y) * kSheetWidth];
    out.insert(out.end(), row, row + kSheetWidth);
  }
  return out;
}

std::vector<uint8_t> EncodeAnimsDat(const DemoGame& game) {
  // 66-byte records: frame count, an unused byte, 32 little-endian frame slots.
  std::vector<uint8_t> out;
  for (const auto& frames : game.animations) {
    const size_t count = std::min<size_t>(frames.size(), 32);
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(0);
    for (size_t i = 0; i < 32; ++i) Put16(out, i < count ? frames[i] : 0);
  }
  return out;
}

bool WriteDemoGame(const DemoGame& game, const std::string& directory, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  if (ec) {
    *error = "cannot create directory " + directory + ": " + ec.message();
    return false;
  }
  const std::filesystem::path dir(directory);
  // mrdata.dat holds the built-in mirror and rotate tables, which the
  // sheet's art follows; without it the editor's first start complains.
  return WriteFile(dir / "tiles.bmp", EncodeTilesBmp(game), error) &&
         WriteFile(dir / "anims.dat", EncodeAnimsDat(game), error) &&
         WriteFile(dir / kMrdataFileName, SerializeMrdata(DefaultMirrorRotateTables()), error);
}

}  // namespace quarl::demo
