// Drives quarl-map's command-line parser with arbitrary arguments. Whatever
// they are, the parser ends in help (0), a usage error (2, with a message) or
// a command whose values are safe to run with: a rectangle inside the map,
// named outputs.
//
// Two ways of reading an input, by its first byte:
// * even: the rest split at NUL bytes, up to 24 arguments, as typed;
// * odd: 9-byte chunks, each a kind byte and 8 value bytes, giving a number
//   (64- or 32-bit, so the fuzzer's integer mutations reach the edges), one
//   of quarl-map's words, or a file name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "map/map_document.h"
#include "map/map_files.h"
#include "quarl_map_args.h"
#include "quarl_map_json.h"

namespace {

using namespace quarl;

constexpr size_t kMaxArguments = 24;
constexpr size_t kChunkBytes = 9;

const char* const kWords[] = {"info",     "cells",          "check",     "resave",  "new",  "report",
                              "tables",   "anims",          "--yes",     "--recount", "--no-flag-scan",
                              "--no-spawn-scan", "--mrdata", "--write", "--help", "--",   "a.map", ""};
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
  const CellsRectangle& r = c.rect;
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

std::vector<std::string> TypedArguments(const uint8_t* data, size_t size) {
  if (size == 0) return {};
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
  return args;
}

std::vector<std::string> BuiltArguments(const uint8_t* data, size_t size) {
  std::vector<std::string> args;
  for (size_t at = 0; at + kChunkBytes <= size && args.size() < kMaxArguments; at += kChunkBytes) {
    const uint8_t kind = data[at];
    int64_t value;
    std::memcpy(&value, data + at + 1, sizeof value);
    switch (kind % 4) {
      case 0: args.push_back(std::to_string(value)); break;
      case 1: args.push_back(std::to_string(static_cast<int32_t>(value))); break;
      case 2: args.push_back(kWords[static_cast<uint64_t>(value) % std::size(kWords)]); break;
      default: args.push_back(std::string(reinterpret_cast<const char*>(data + at + 1), 8)); break;
    }
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<std::string> args =
      (data[0] & 1) ? BuiltArguments(data + 1, size - 1) : TypedArguments(data + 1, size - 1);

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
