#include <filesystem>

#include "demo_game.h"
#include "base/replacing_file.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"

namespace quarl::demo {

std::vector<uint8_t> EncodeTilesBmp(const DemoGame& game) {
  return EncodeIndexedBmp(kSheetWidth, kSheetHeight, game.palette, game.sheet);
}

std::vector<uint8_t> EncodeAnimsDat(const DemoGame& game) {
  // 66-byte records: frame count, an unused byte, 32 little-endian frame slots.
  std::vector<uint8_t> out;
  for (const auto& frames : game.animations) {
    const size_t count = std::min<size_t>(frames.size(), 32);
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(0);
    for (size_t i = 0; i < 32; ++i) AppendLe16(out, i < count ? frames[i] : 0);
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
  const std::pair<const char*, std::vector<uint8_t>> files[] = {
      {"tiles.bmp", EncodeTilesBmp(game)},
      {"anims.dat", EncodeAnimsDat(game)},
      {kMrdataFileName, SerializeMrdata(DefaultMirrorRotateTables())}};
  for (const auto& [name, bytes] : files) {
    const std::string path = (dir / name).string();
    const WriteResult written = WriteFileAtomically(path, bytes);
    if (!written.Ok()) {
      *error = "cannot write " + path + ": " + written.reason;
      return false;
    }
  }
  return true;
}

}  // namespace quarl::demo
