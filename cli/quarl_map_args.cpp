#include "quarl_map_args.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <sstream>

#include "map/map_document.h"

namespace quarl {
namespace {

constexpr int kUsageError = 2;

ParsedArguments UsageError(const std::string& text) {
  ParsedArguments parsed;
  parsed.exitCode = kUsageError;
  parsed.err = "quarl-map: " + text + "\nRun with --help for more information.\n";
  return parsed;
}

// X Y W H inside the map, computed without overflow whatever was typed.
bool RectInsideMap(const std::vector<int64_t>& r) {
  for (int64_t v : r) {
    if (v < 0 || v > kMapCells) return false;
  }
  return r[0] + r[2] <= kMapCells && r[1] + r[3] <= kMapCells;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
  CLI::App app{"quarl-map: inspect, check, report on and rewrite ZOR .map files"};
  app.require_subcommand(1);
  Command c;
  app.add_flag("--yes", c.yes, "answer Yes to the questions the editor would ask (default: No)");

  bool noFlagScan = false, noSpawnScan = false;
  std::vector<int64_t> rect;

  auto* info = app.add_subcommand("info", "the map's header and settings as JSON");
  info->add_option("MAP", c.input, "map file")->required();
  info->add_flag("--recount", c.recount, "recount the objects from the cells first");

  auto* cells = app.add_subcommand("cells", "[tile, anim, data] of each cell as JSON rows");
  cells->add_option("MAP", c.input, "map file")->required();
  cells->add_option("RECT", rect, "X Y W H (default: the whole map)")->expected(0, 4);

  auto* check = app.add_subcommand("check", "recount and run the checks saving runs; exit 1 on findings");
  check->add_option("MAP", c.input, "map file")->required();
  check->add_flag("--no-flag-scan", noFlagScan, "skip the flag check");
  check->add_flag("--no-spawn-scan", noSpawnScan, "skip the spawn and holding pen check");

  auto* resave = app.add_subcommand("resave", "load IN and save it as OUT");
  resave->add_option("IN", c.input, "map file to read")->required();
  resave->add_option("OUT", c.output, "file to write (.map is added unless present)")->required();
  resave->add_flag("--no-flag-scan", noFlagScan, "skip the flag check");
  resave->add_flag("--no-spawn-scan", noSpawnScan, "skip the spawn and holding pen check");

  auto* newMap = app.add_subcommand("new", "save a new, empty map");
  newMap->add_option("OUT", c.output, "file to write (.map is added unless present)")->required();

  auto* report = app.add_subcommand("report", "the General Information and Flag Poles Information texts");
  report->add_option("MAP", c.input, "map file")->required();

  auto* tables = app.add_subcommand("tables", "the mirror and rotate tables as JSON");
  tables->add_option("--mrdata", c.mrdata, "read the tables from this mrdata.dat instead of the built-in ones");
  tables->add_option("--write", c.write, "also write them to this file in mrdata.dat's format");

  auto* anims = app.add_subcommand("anims", "the animations of an anims.dat as JSON");
  anims->add_option("FILE", c.input, "anims.dat file")->required();

  auto* edit = app.add_subcommand("edit", "run an edit script against MAP, then save the active map as OUT");
  edit->add_option("MAP", c.input, "map file")->required();
  edit->add_option("-o", c.output, "save the active map here at the end");
  edit->add_option("SCRIPT", c.script, "edit script, or - for standard input")->required();

  auto* render = app.add_subcommand("render", "the whole map as a 4096 x 4096 PNG, or its 256 x 256 overview");
  render->add_option("MAP", c.input, "map file")->required();
  render->add_option("OUT", c.output, "PNG file to write")->required();
  render->add_option("--game", c.gameDir, "directory holding tiles.bmp and anims.dat");
  render->add_flag("--overview", c.overview, "the overview's picture, one pixel a cell");

  for (CLI::App* sub : app.get_subcommands({})) sub->fallthrough();

  std::vector<const char*> argv{"quarl-map"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& error) {
    // CLI11's own exit codes (100 and up) are not quarl-map's: a usage error
    // exits 2 with CLI11's message, --help exits 0.
    std::ostringstream out, err;
    const int code = app.exit(error, out, err);
    ParsedArguments parsed;
    parsed.exitCode = code == 0 ? 0 : kUsageError;
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
  }

  c.flagScan = !noFlagScan;
  c.spawnScan = !noSpawnScan;
  if (*info) c.kind = CommandKind::Info;
  if (*cells) c.kind = CommandKind::Cells;
  if (*check) c.kind = CommandKind::Check;
  if (*resave) c.kind = CommandKind::Resave;
  if (*newMap) c.kind = CommandKind::New;
  if (*report) c.kind = CommandKind::Report;
  if (*tables) c.kind = CommandKind::Tables;
  if (*anims) c.kind = CommandKind::Anims;
  if (*edit) c.kind = CommandKind::Edit;
  if (*render) c.kind = CommandKind::Render;

  if (c.kind == CommandKind::Cells && !rect.empty()) {
    if (rect.size() != 4) return UsageError("cells takes X Y W H or no rectangle");
    if (!RectInsideMap(rect)) return UsageError("the rectangle must lie inside the 256 x 256 map");
    c.rect = {static_cast<int>(rect[0]), static_cast<int>(rect[1]), static_cast<int>(rect[2]),
              static_cast<int>(rect[3])};
  }
  // An empty name would be saved as ".map" in the current directory.
  if ((c.kind == CommandKind::Resave || c.kind == CommandKind::New || c.kind == CommandKind::Render) &&
      c.output.empty()) {
    return UsageError("OUT is empty");
  }
  if (c.kind == CommandKind::Tables) {
    for (const char* name : {"--mrdata", "--write"}) {
      const CLI::Option* option = tables->get_option(name);
      if (*option && option->as<std::string>().empty()) return UsageError(std::string(name) + " names no file");
    }
  }

  ParsedArguments parsed;
  parsed.command = std::move(c);
  return parsed;
}

}  // namespace quarl
