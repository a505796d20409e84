#include "quarl_map_commands.h"

#include <iostream>
#include <memory>
#include <span>
#include <vector>

#include "app/map_reports.h"
#include "base/scripted_user_interface.h"
#include "history/default_tables.h"
#include "history/mrdata_file.h"
#include "base/replacing_file.h"
#include "map/map_checks.h"
#include "map/map_files.h"
#include "native_zlib.h"
#include "quarl_map_input.h"
#include "quarl_map_edit.h"
#include "quarl_map_json.h"
#include "quarl_map_render.h"
#include "tools/animations_file.h"
#include "tools/overview.h"

namespace quarl {
namespace {

// A cell names its animation in one byte, so ids above 255 are never used.
constexpr size_t kMaxAnimsBytes = 256 * kAnimationRecordSize;
// The game's sheet is 640 pixels wide and a few thousand high; anything
// above 64 MiB is refused before it is read.
constexpr size_t kMaxSheetBytes = 64u << 20;

// The overview's picture as RGB rows (its bitmap keeps blue first).
std::vector<uint8_t> OverviewRgb(const MapDocument& doc) {
  std::vector<uint8_t> rgb = OverviewPicture(doc);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
  return rgb;
}

int Unusable(const std::string& what) {
  std::cerr << "quarl-map: " << what << "\n";
  return kExitUnusable;
}

void AppendJson(std::string& out, const Json& json) {
  out += json.dump(2);
  out += '\n';
}

// Maps loaded and saved without windows: every message is printed, every
// question answered from the command line.
struct Session {
  ScriptedUserInterface ui;
  NativeZlibLibrary zlib;
  MapDocument doc;
  std::vector<uint8_t> bytes;  // the map file as read

  explicit Session(bool yes) {
    ui.defaultAnswer = yes ? Answer::Yes : Answer::No;
    ui.onMessage = [](const RecordedMessage& m) {
      std::cerr << m.title << ": " << m.text;
      if (m.buttons != Buttons::Ok) std::cerr << " [" << (m.answer == Answer::Yes ? "Yes" : "No") << "]";
      std::cerr << "\n";
    };
  }

  // Loads the map at path as Open does, from the whole path; null, after
  // saying why, when it cannot be read or the loader refused it.
  MapDocument* Load(const std::string& path) {
    std::string why;
    if (!ReadInputFile(path, kMaxMapFileBytes, "a map", bytes, why)) {
      Unusable("cannot read " + path + ": " + why);
      return nullptr;
    }
    std::unique_ptr<ZlibBinding> binding = BindZlib(&zlib, "", ZlibUse::Open, ui);
    if (!binding) return nullptr;
    doc.path = path;
    if (LoadMapFromBytes(doc, bytes, *binding, ui).result != OpenResult::Loaded) {
      Unusable("cannot load " + path);
      return nullptr;
    }
    return &doc;
  }

  // Saves doc under out as Save does once the map has a name: the whole name,
  // with ".map" added unless present. Prints the name written.
  int Save(MapDocument& doc, const std::string& out, bool flagScan, bool spawnScan, std::string& stdoutText) {
    SaveSettings settings;
    settings.flagScan = flagScan;
    settings.spawnScan = spawnScan;
    doc.path = out;
    std::string reason;
    if (SaveMapDocument(doc, settings, &zlib, ui, &reason) != SaveResult::Written) {
      return Unusable("cannot write " + doc.path + (reason.empty() ? "" : ": " + reason));
    }
    stdoutText += doc.path + "\n";
    return kExitDone;
  }
};

int Info(const Command& c, std::string& out) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  if (c.recount) CountMapObjects(*doc);
  AppendJson(out, DocumentJson(*doc, ReadRawHeaderStart(session.bytes)));
  return kExitDone;
}

int Cells(const Command& c, std::string& out) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  AppendJson(out, CellsJson(*doc, c.rect.x, c.rect.y, c.rect.width, c.rect.height));
  return kExitDone;
}

int Check(const Command& c, std::string& out) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  CountMapObjects(*doc);
  bool found = false;
  if (c.flagScan && doc->gameType != 0) {
    CheckResult result = CheckFlags(*doc);
    if (result.Problem()) {
      out += "Possible Flag Error!: " + CheckMessage(result) + "\n";
      found = true;
    }
  }
  if (c.spawnScan) {
    CheckResult result = CheckSpawnsAndPens(*doc);
    if (result.Problem()) {
      out += "Spawn/Holding Pen Error!: " + CheckMessage(result) + "\n";
      found = true;
    }
  }
  return found ? kExitProblems : kExitDone;
}

int Resave(const Command& c, std::string& out) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  return session.Save(*doc, c.output, c.flagScan, c.spawnScan, out);
}

int New(const Command& c, std::string& out) {
  Session session(c.yes);
  return session.Save(session.doc, c.output, true, true, out);
}

int Report(const Command& c, std::string& out) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  MapReportTexts texts = BuildMapReports(*doc);
  out += "== General Information ==\n" + texts.general + "\n";
  out += "== Flag Poles Information ==\n" + texts.flagPoles + "\n";
  return kExitDone;
}

int Tables(const Command& c, std::string& out) {
  MirrorRotateTables tables = DefaultMirrorRotateTables();
  if (!c.mrdata.empty()) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadInputFile(c.mrdata, kMrdataMaxBytes, "an mrdata.dat", bytes, why)) {
      return Unusable("cannot read " + c.mrdata + ": " + why);
    }
    MrdataStatus status = ParseMrdata(bytes, tables);
    if (status != MrdataStatus::Loaded) return Unusable(c.mrdata + ": " + MrdataStatusText(status));
  }
  if (!c.write.empty()) {
    // The file is replaced whole: unlike the editor's own write of
    // mrdata.dat, no tail of an older, longer file is kept.
    const std::vector<uint8_t> bytes = SerializeMrdata(tables);
    const WriteResult written = WriteFileAtomically(c.write, bytes);
    if (!written) return Unusable("cannot write " + c.write + ": " + written.reason);
  }
  AppendJson(out, TablesJson(tables));
  return kExitDone;
}

int Anims(const Command& c, std::string& out) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!ReadInputFile(c.input, kMaxAnimsBytes, "an anims.dat", bytes, why)) {
    return Unusable("cannot read " + c.input + ": " + why);
  }
  AnimationList animations;
  ParseAnimations(bytes.data(), bytes.size(), animations);
  AppendJson(out, AnimationsJson(animations));
  return kExitDone;
}

// The picture goes to the file only once all of it is ready; any bad input
// stops before anything is written.
int Render(const Command& c) {
  Session session(c.yes);
  MapDocument* doc = session.Load(c.input);
  if (!doc) return kExitUnusable;
  std::vector<uint8_t> png;
  if (c.overview) {
    png = EncodeRgbPng(kMapCells, kMapCells, OverviewRgb(*doc));
  } else {
    const std::string game = c.gameDir.empty() ? DefaultGameDirectory() : c.gameDir;
    const std::string sheetPath = game + "/tiles.bmp", animsPath = game + "/anims.dat";
    std::vector<uint8_t> bytes;
    std::string why;
    TileSheet sheet;
    if (!ReadInputFile(sheetPath, kMaxSheetBytes, "a tile sheet", bytes, why) || !DecodeTileSheet(bytes, sheet, why))
      return Unusable("cannot use " + sheetPath + ": " + why);
    if (!ReadInputFile(animsPath, kMaxAnimsBytes, "an anims.dat", bytes, why))
      return Unusable("cannot read " + animsPath + ": " + why);
    AnimationList animations;
    ParseAnimations(bytes.data(), bytes.size(), animations);
    IndexedPicture picture;
    if (!RenderMapPicture(*doc, animations, sheet, picture, why)) return Unusable(sheetPath + ": " + why);
    png = EncodeIndexedPng(picture);
  }
  if (png.empty()) return Unusable("cannot encode the picture");
  const WriteResult written = WriteFileAtomically(c.output, png);
  if (!written) return Unusable("cannot write " + c.output + ": " + written.reason);
  return kExitDone;
}

}  // namespace

int RunCommand(const Command& command, std::string& out) {
  switch (command.kind) {
    case CommandKind::Info: return Info(command, out);
    case CommandKind::Cells: return Cells(command, out);
    case CommandKind::Check: return Check(command, out);
    case CommandKind::Resave: return Resave(command, out);
    case CommandKind::New: return New(command, out);
    case CommandKind::Report: return Report(command, out);
    case CommandKind::Tables: return Tables(command, out);
    case CommandKind::Anims: return Anims(command, out);
    case CommandKind::Render: return Render(command);
    case CommandKind::Edit: return RunEditScript(command.input, command.output, command.script, command.yes, out);
  }
  return kExitUnusable;
}

}  // namespace quarl
