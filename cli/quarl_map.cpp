// quarl-map: inspect, check, report on and rewrite ZOR maps.
//
// Exit status: 0 done, 1 the command ran and found problems (check), 2 the
// input could not be used (a message on stderr, nothing written). Messages
// the editor would show in a box go to stderr as "TITLE: TEXT"; a question is
// answered No unless --yes is given.

#include <CLI/CLI.hpp>
#include <iostream>

#include "app/map_reports.h"
#include "base/scripted_user_interface.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "map/map_checks.h"
#include "map/map_files.h"
#include "native_zlib.h"
#include "tools/animations_file.h"
#include "quarl_map_edit.h"
#include "quarl_map_json.h"

namespace quarl {
namespace {

constexpr int kDone = 0;
constexpr int kProblems = 1;
constexpr int kUnusable = 2;

// Maps loaded and saved without windows: every message is printed, every
// question answered from the command line.
struct Session {
  ScriptedUserInterface ui;
  NativeZlibLibrary zlib;
  MapDocument doc;

  explicit Session(bool yes) {
    ui.defaultAnswer = yes ? Answer::Yes : Answer::No;
    ui.onMessage = [](const RecordedMessage& m) {
      std::cerr << m.title << ": " << m.text;
      if (m.buttons != Buttons::Ok) std::cerr << " [" << (m.answer == Answer::Yes ? "Yes" : "No") << "]";
      std::cerr << "\n";
    };
  }

  // The loaded document, or null when the load stopped.
  MapDocument* Load(const std::string& path) {
    std::unique_ptr<ZlibBinding> binding = BindZlib(&zlib, ".", ZlibUse::Open, ui);
    if (!binding) return nullptr;
    doc.path = path;
    if (LoadMapFile(doc, *binding, ui).result != OpenResult::Loaded) return nullptr;
    return &doc;
  }
};

int Unusable(const std::string& what) {
  std::cerr << "quarl-map: " << what << "\n";
  return kUnusable;
}

void PrintJson(const Json& json) { std::cout << json.dump(2) << "\n"; }

int Info(const std::string& path, bool recount, bool yes) {
  Session session(yes);
  MapDocument* doc = session.Load(path);
  if (!doc) return Unusable("cannot load " + path);
  if (recount) CountMapObjects(*doc);
  PrintJson(DocumentJson(*doc, ReadRawHeaderStart(path)));
  return kDone;
}

int Cells(const std::string& path, const std::vector<int>& rect, bool yes) {
  int x = 0, y = 0, w = kMapCells, h = kMapCells;
  if (!rect.empty()) {
    if (rect.size() != 4) return Unusable("cells takes X Y W H or no rectangle");
    x = rect[0], y = rect[1], w = rect[2], h = rect[3];
    if (x < 0 || y < 0 || w < 0 || h < 0 || x + w > kMapCells || y + h > kMapCells) {
      return Unusable("the rectangle must lie inside the 256 x 256 map");
    }
  }
  Session session(yes);
  MapDocument* doc = session.Load(path);
  if (!doc) return Unusable("cannot load " + path);
  PrintJson(CellsJson(*doc, x, y, w, h));
  return kDone;
}

int Check(const std::string& path, bool flagScan, bool spawnScan, bool yes) {
  Session session(yes);
  MapDocument* doc = session.Load(path);
  if (!doc) return Unusable("cannot load " + path);
  CountMapObjects(*doc);
  bool found = false;
  if (flagScan && doc->gameType != 0) {
    CheckResult result = CheckFlags(*doc);
    if (result.Problem()) {
      std::cout << "Possible Flag Error!: " << CheckMessage(result) << "\n";
      found = true;
    }
  }
  if (spawnScan) {
    CheckResult result = CheckSpawnsAndPens(*doc);
    if (result.Problem()) {
      std::cout << "Spawn/Holding Pen Error!: " << CheckMessage(result) << "\n";
      found = true;
    }
  }
  return found ? kProblems : kDone;
}

// Saves doc under out as the Save As command would, printing the final path.
int SaveAs(Session& session, MapDocument& doc, const std::string& out, bool flagScan, bool spawnScan) {
  SaveSettings settings;
  settings.saveAs = true;
  settings.flagScan = flagScan;
  settings.spawnScan = spawnScan;
  session.ui.saveFileNames = {out};
  std::string reason;
  if (SaveMapDocument(doc, settings, &session.zlib, session.ui, &reason) != SaveResult::Written) {
    return Unusable("cannot write " + out + (reason.empty() ? "" : ": " + reason));
  }
  std::cout << doc.path << "\n";
  return kDone;
}

int Resave(const std::string& in, const std::string& out, bool flagScan, bool spawnScan, bool yes) {
  Session session(yes);
  MapDocument* doc = session.Load(in);
  if (!doc) return Unusable("cannot load " + in);
  return SaveAs(session, *doc, out, flagScan, spawnScan);
}

int New(const std::string& out, bool yes) {
  Session session(yes);
  return SaveAs(session, session.doc, out, true, true);
}

int Report(const std::string& path, bool yes) {
  Session session(yes);
  MapDocument* doc = session.Load(path);
  if (!doc) return Unusable("cannot load " + path);
  MapReportTexts texts = BuildMapReports(*doc);
  std::cout << "== General Information ==\n" << texts.general << "\n";
  std::cout << "== Flag Poles Information ==\n" << texts.flagPoles << "\n";
  return kDone;
}

int Tables(const std::string& mrdata, const std::string& write) {
  MirrorRotateTables tables = DefaultMirrorRotateTables();
  if (!mrdata.empty()) {
    MrdataStatus status = ReadMrdataFile(mrdata, tables);
    if (status == MrdataStatus::CannotOpen) return Unusable("cannot open " + mrdata);
    if (status != MrdataStatus::Loaded) return Unusable(mrdata + ": " + MrdataStatusText(status));
  }
  if (!write.empty() && !WriteMrdataFile(write, tables)) return Unusable("cannot write " + write);
  PrintJson(TablesJson(tables));
  return kDone;
}

int Anims(const std::string& path) {
  AnimationList animations;
  if (ReadAnimationsFile(path, animations) != 1) return Unusable("cannot read " + path);
  PrintJson(AnimationsJson(animations));
  return kDone;
}

}  // namespace
}  // namespace quarl

int main(int argc, char** argv) {
  using namespace quarl;
  CLI::App app{"quarl-map: inspect, check, report on and rewrite ZOR .map files"};
  app.require_subcommand(1);
  bool yes = false;
  app.add_flag("--yes", yes, "answer Yes to the questions the editor would ask (default: No)");

  std::string map, out;
  bool recount = false, noFlagScan = false, noSpawnScan = false;
  std::vector<int> rect;

  auto* info = app.add_subcommand("info", "the map's header and settings as JSON");
  info->add_option("MAP", map, "map file")->required();
  info->add_flag("--recount", recount, "recount the objects from the cells first");

  auto* cells = app.add_subcommand("cells", "[tile, anim, data] of each cell as JSON rows");
  cells->add_option("MAP", map, "map file")->required();
  cells->add_option("RECT", rect, "X Y W H (default: the whole map)")->expected(0, 4);

  auto* check = app.add_subcommand("check", "recount and run the checks saving runs; exit 1 on findings");
  check->add_option("MAP", map, "map file")->required();
  check->add_flag("--no-flag-scan", noFlagScan, "skip the flag check");
  check->add_flag("--no-spawn-scan", noSpawnScan, "skip the spawn and holding pen check");

  auto* resave = app.add_subcommand("resave", "load IN and save it as OUT");
  resave->add_option("IN", map, "map file to read")->required();
  resave->add_option("OUT", out, "file to write (.map is added unless present)")->required();
  resave->add_flag("--no-flag-scan", noFlagScan, "skip the flag check");
  resave->add_flag("--no-spawn-scan", noSpawnScan, "skip the spawn and holding pen check");

  auto* newMap = app.add_subcommand("new", "save a new, empty map");
  newMap->add_option("OUT", out, "file to write")->required();

  auto* report = app.add_subcommand("report", "the General Information and Flag Poles Information texts");
  report->add_option("MAP", map, "map file")->required();

  std::string mrdata, write;
  auto* tables = app.add_subcommand("tables", "the mirror and rotate tables as JSON");
  tables->add_option("--mrdata", mrdata, "read the tables from this mrdata.dat instead of the built-in ones");
  tables->add_option("--write", write, "also write them to this file as mrdata.dat is written");

  auto* anims = app.add_subcommand("anims", "the animations of an anims.dat as JSON");
  anims->add_option("FILE", map, "anims.dat file")->required();

  std::string script;
  auto* edit = app.add_subcommand("edit", "run an edit script against MAP, then save the active map as OUT");
  edit->add_option("MAP", map, "map file")->required();
  edit->add_option("-o", out, "save the active map here at the end");
  edit->add_option("SCRIPT", script, "edit script, or - for standard input")->required();

  for (CLI::App* sub : app.get_subcommands({})) sub->fallthrough();
  CLI11_PARSE(app, argc, argv);

  if (*info) return Info(map, recount, yes);
  if (*cells) return Cells(map, rect, yes);
  if (*check) return Check(map, !noFlagScan, !noSpawnScan, yes);
  if (*resave) return Resave(map, out, !noFlagScan, !noSpawnScan, yes);
  if (*newMap) return New(out, yes);
  if (*report) return Report(map, yes);
  if (*tables) return Tables(mrdata, write);
  if (*anims) return Anims(map);
  if (*edit) return RunEditScript(map, out, script, yes);
  return 2;
}
