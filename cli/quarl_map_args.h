#pragma once
// quarl-map's command line: what to run, or the usage error that stops it.

#include <optional>
#include <string>
#include <vector>

#include "map/map_document.h"

namespace quarl {

enum class CommandKind { Info, Cells, Check, Resave, New, Report, Tables, Anims, Edit, Render };

// A rectangle of cells, always inside the map once parsed.
struct CellsRectangle {
  int x = 0;
  int y = 0;
  int width = kMapCells;
  int height = kMapCells;
};

struct Command {
  CommandKind kind = CommandKind::Info;
  bool yes = false;        // answer Yes to the editor's questions
  std::string input;       // MAP, IN or FILE
  std::string output;      // OUT
  std::string mrdata;      // tables --mrdata
  std::string write;       // tables --write
  bool recount = false;    // info --recount
  bool flagScan = true;    // check and resave
  bool spawnScan = true;
  CellsRectangle rect;     // cells
  std::string script;      // edit: a file, or - for standard input
  std::string gameDir;     // render --game: where tiles.bmp and anims.dat are
  bool overview = false;   // render --overview
};

struct ParsedArguments {
  std::optional<Command> command;  // set when there is something to run
  int exitCode = 0;                // otherwise: 0 after --help, 2 for a usage error
  std::string out;                 // for standard output (the help text)
  std::string err;                 // for standard error (what was wrong and how to get help)
};

// Parses the arguments after the program name.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

}  // namespace quarl
