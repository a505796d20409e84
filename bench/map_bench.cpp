// quarl-bench: how much the .map loader and saver add to zlib's own work.
//
// For each map (a generated arena and a blank map) it times, in one run:
//   load:    LoadMapFile on a file in a temporary directory (file read,
//            header, inflate, cell decode into a fresh document);
//   open:    the same with zlib bound for the load, as Open does;
//   inflate: zlib's uncompress of the same compressed bytes;
//   save:    BuildMapFile and the file replaced (header, cell encode,
//            compress2 at level 9, temporary file renamed over the old one);
//   Save:    the whole SaveMapDocument (the same, plus the object recount and
//            both checks);
//   deflate: zlib's compress2 at level 9 of the same 131072 bytes;
// and prints the ratios to zlib alone. Times are medians over the rounds.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/scripted_user_interface.h"
#include "map/map_file_format.h"
#include "map/map_files.h"
#include "base/replacing_file.h"
#include "native_zlib.h"

namespace quarl {
namespace {

using Clock = std::chrono::steady_clock;

// A playable-looking two-team arena: varied floor in patches, an outer wall,
// rooms with doorways, bases with flags, poles, spawns and holding pens,
// popup tiles, and animated water and conveyor strips with varied offsets.
void BuildArena(MapDocument& doc) {
  std::mt19937 rng(20261205);
  auto pick = [&rng](int n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
  const int32_t floors[] = {280, 281, 282, 320, 321, 360};
  for (int row = 0; row < kMapCells; ++row) {
    for (int col = 0; col < kMapCells; ++col) {
      int patch = ((row / 12) * 7 + (col / 9) * 3) % 6;
      int32_t tile = floors[patch];
      if (pick(23) == 0) tile = 400 + pick(40);  // scattered decoration
      doc.At(col, row).SetValues({tile, -1, -1});
    }
  }
  auto wall = [&doc](int col, int row, int32_t tile) { doc.At(col, row).SetValues({tile, -1, -1}); };
  for (int i = 0; i < kMapCells; ++i) {
    wall(i, 0, 120);
    wall(i, kMapCells - 1, 120);
    wall(0, i, 121);
    wall(kMapCells - 1, i, 121);
  }
  // Rooms on a grid, each with a doorway on every side.
  for (int top = 16; top < 240; top += 32) {
    for (int left = 16; left < 240; left += 32) {
      int size = 12 + pick(12);
      for (int k = 0; k < size; ++k) {
        if (k == size / 2) continue;
        wall(left + k, top, 122 + pick(4));
        wall(left + k, top + size, 122 + pick(4));
        wall(left, top + k, 126 + pick(4));
        wall(left + size, top + k, 126 + pick(4));
      }
    }
  }
  // Water and conveyors: animated strips with running offsets.
  for (int col = 20; col < 236; ++col) {
    for (int row = 120; row < 124; ++row) doc.At(col, row).SetValues({-1, 90 + (col % 3), (col * 5 + row) % 128});
    doc.At(col, 60).SetValues({-1, 100, col % 8});
    doc.At(col, 196).SetValues({-1, 101, col % 8});
  }
  // Bases: Green in the top left, Red in the bottom right.
  auto base = [&](int col, int row, int32_t flag, int32_t ownPole, int32_t spawnTile, int32_t penTile) {
    doc.At(col, row).SetValues({-1, flag, 0});
    doc.At(col + 2, row).SetValues({-1, ownPole, 0});
    for (int k = 0; k < 6; ++k) doc.At(col + k, row + 3).SetValues({spawnTile, -1, -1});
    for (int k = 0; k < 4; ++k) doc.At(col + k, row + 5).SetValues({penTile, -1, -1});
  };
  base(6, 6, 28, 32, 63, 146);
  base(240, 240, 37, 25, 103, 186);
  for (int k = 0; k < 40; ++k) doc.At(30 + pick(200), 30 + pick(200)).SetValues({36 + pick(4), -1, -1});
  doc.name = "Benchmark Arena";
  doc.description = "Generated: walls, rooms, bases, water and conveyors";
  doc.gameType = 1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Microseconds(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct Result {
  double load, open, inflate, save, fullSave, deflate;
};

Result Measure(const char* label, const std::function<void(MapDocument&)>& build,
               const std::filesystem::path& dir, int rounds) {
  ScriptedUserInterface ui;
  NativeZlibLibrary zlib;

  auto doc = std::make_unique<MapDocument>();
  build(*doc);
  doc->path = (dir / (std::string(label) + ".map")).string();
  SaveSettings settings;
  if (SaveMapDocument(*doc, settings, &zlib, ui) != SaveResult::Written) {
    std::fprintf(stderr, "saving %s failed\n", label);
    std::exit(1);
  }
  std::vector<uint8_t> file(std::filesystem::file_size(doc->path));
  {
    std::FILE* f = std::fopen(doc->path.c_str(), "rb");
    if (!f || std::fread(file.data(), 1, file.size(), f) != file.size()) std::exit(1);
    std::fclose(f);
  }
  const size_t cellOffset = EncodeMapHeader(*doc).size();
  std::vector<uint8_t> cells(kCellBlockBytes), out(kCompressBufferBytes);
  EncodeCells(doc->cells, cells.data());

  auto binding = zlib.Load(settings.programDirectory);
  auto timeLoad = [&] {
    auto fresh = std::make_unique<MapDocument>();  // outside the timing
    fresh->path = doc->path;
    return Microseconds([&] {
      if (LoadMapFile(*fresh, *binding, ui).result != OpenResult::Loaded) std::exit(1);
    });
  };
  // A load as Open does it: zlib bound for the one load, then the file read.
  auto timeOpen = [&] {
    auto fresh = std::make_unique<MapDocument>();
    fresh->path = doc->path;
    return Microseconds([&] {
      auto opened = BindZlib(&zlib, settings.programDirectory, ZlibUse::Open, ui);
      if (!opened || LoadMapFile(*fresh, *opened, ui).result != OpenResult::Loaded) std::exit(1);
    });
  };
  auto timeInflate = [&] {
    return Microseconds([&] {
      uLongf length = kCellBlockBytes;
      uncompress(out.data(), &length, file.data() + cellOffset, file.size() - cellOffset);
    });
  };
  auto timeSave = [&] {
    return Microseconds([&] {
      std::optional<std::vector<uint8_t>> bytes = BuildMapFile(*doc, *binding, ui);
      if (!bytes || !WriteFileAtomically(doc->path, *bytes)) std::exit(1);
    });
  };
  auto timeFullSave = [&] {
    return Microseconds([&] {
      if (SaveMapDocument(*doc, settings, &zlib, ui) != SaveResult::Written) std::exit(1);
    });
  };
  auto timeDeflate = [&] {
    return Microseconds([&] {
      uLongf length = kCompressBufferBytes;
      compress2(out.data(), &length, cells.data(), kCellBlockBytes, 9);
    });
  };

  // Each pair runs in its own loop, so that neither side inherits the other
  // pair's cache footprint, and the pair's order alternates every round.
  std::vector<double> load, open, inflate, save, fullSave, deflate;
  size_t messagesBefore = ui.messages.size();
  for (int r = 0; r < rounds; ++r) {
    if (r % 2) {
      load.push_back(timeLoad());
      open.push_back(timeOpen());
      inflate.push_back(timeInflate());
    } else {
      inflate.push_back(timeInflate());
      open.push_back(timeOpen());
      load.push_back(timeLoad());
    }
  }
  for (int r = 0; r < rounds; ++r) {
    if (r % 2) {
      save.push_back(timeSave());
      fullSave.push_back(timeFullSave());
      deflate.push_back(timeDeflate());
    } else {
      deflate.push_back(timeDeflate());
      fullSave.push_back(timeFullSave());
      save.push_back(timeSave());
    }
  }
  // The blank map's save warns about its missing pens on every save; the
  // arena's must stay silent, or it is not the map it claims to be.
  if (std::string(label) == "arena" && ui.messages.size() != messagesBefore) {
    std::fprintf(stderr, "the arena's save reported: %s\n", ui.messages.back().text.c_str());
  }
  Result result{Median(load), Median(open), Median(inflate), Median(save), Median(fullSave), Median(deflate)};
  std::printf("%s: %zu compressed bytes\n", label, file.size() - cellOffset);
  std::printf("  load    %9.1f us  %.2fx inflate   (target 1.50x)\n", result.load, result.load / result.inflate);
  std::printf("  open    %9.1f us  %.2fx inflate   (with the new document and window)\n", result.open,
              result.open / result.inflate);
  std::printf("  inflate %9.1f us\n", result.inflate);
  std::printf("  save    %9.1f us  %.2fx deflate   (target 1.20x)\n", result.save, result.save / result.deflate);
  std::printf("  Save    %9.1f us  %.2fx deflate   (with the recount and both checks)\n", result.fullSave,
              result.fullSave / result.deflate);
  std::printf("  deflate %9.1f us\n", result.deflate);
  return result;
}

}  // namespace
}  // namespace quarl

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 41;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("quarl-bench-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  std::printf("quarl-bench: medians of %d rounds; targets: load <= 1.50x inflate, save <= 1.20x deflate\n", rounds);
  quarl::Result arena = quarl::Measure("arena", quarl::BuildArena, dir, rounds);
  quarl::Result blank = quarl::Measure("blank", [](quarl::MapDocument&) {}, dir, rounds);
  std::filesystem::remove_all(dir);
  bool met = true;
  for (const quarl::Result& r : {arena, blank}) {
    met = met && r.load <= 1.5 * r.inflate && r.save <= 1.2 * r.deflate;
  }
  std::printf("%s\n", met ? "all targets met" : "some targets NOT met");
  return 0;
}
