// Drives quarl-map's command-line parser with arbitrary arguments: the input
// split at NUL bytes, up to 24 of them. Whatever they are, the parser ends in
// help (0), a usage error (2, with a message) or a command whose values are
// safe to run with: a rectangle inside the map, named outputs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "map/map_document.h"
#include "map/map_files.h"
#include "quarl_map_args.h"
#include "quarl_map_json.h"

namespace {

using namespace quarl;

constexpr size_t kMaxArguments = 24;
constexpr int kMaxCellsForJson = 1024;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool EndsInMapExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return tail == ".map";
}

void CheckCommand(const Command& c) {
  const CellRect& r = c.rect;
  Check(r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0);
  Check(r.x + r.width <= kMapCells && r.y + r.height <= kMapCells);
  switch (c.kind) {
    case CommandKind::Cells: {
      static const MapDocument blank;
      // The corners are read as the command would read them.
      if (r.width > 0 && r.height > 0) {
        Check(blank.At(r.x, r.y).tile == BLANK_TILE);
        Check(blank.At(r.x + r.width - 1, r.y + r.height - 1).tile == BLANK_TILE);
      }
      if (r.width * r.height <= kMaxCellsForJson) {
        const Json rows = CellsJson(blank, r.x, r.y, r.width, r.height);
        Check(rows.size() == static_cast<size_t>(r.height));
        for (const Json& row : rows) Check(row.size() == static_cast<size_t>(r.width));
      }
      break;
    }
    case CommandKind::Resave:
    case CommandKind::New:
      Check(!c.output.empty());
      Check(EndsInMapExtension(WithMapExtension(c.output)));
      break;
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] != 0) {
      args.back().push_back(static_cast<char>(data[i]));
    } else if (args.size() < kMaxArguments) {
      args.emplace_back();
    } else {
      break;
    }
  }
  if (size == 0) args.clear();

  const ParsedArguments parsed = ParseArguments(args);
  if (!parsed.command) {
    Check(parsed.exitCode == 0 || parsed.exitCode == 2);
    Check(parsed.exitCode == 0 ? !parsed.out.empty() : !parsed.err.empty());
    return 0;
  }
  Check(parsed.exitCode == 0 && parsed.err.empty() && parsed.out.empty());
  CheckCommand(*parsed.command);
  return 0;
}
