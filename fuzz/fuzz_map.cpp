// Feeds arbitrary bytes to the .map loader as the contents of a file, with
// real zlib. Odd-length inputs answer Yes to the version question, so both
// answers are explored. A map that loads is re-encoded and loaded again: the
// cells and the header fields must come back the same.
//
// The two documents live outside the open-map list and are reset to the
// new-map state before each input: making 1.5 MB of cells afresh for every
// input would cost the sanitizers far more than the loading itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/scripted_user_interface.h"
#include "map/map_file_format.h"
#include "map/map_files.h"
#include "native_zlib.h"

namespace {

using namespace quarl;

void Check(bool condition) {
  if (!condition) std::abort();
}

// What CreateNewMAP gives: a default MapDocument's header and blank cells.
void ResetToNewMap(MapDocument& doc, WindowId window) {
  static const MapDocument fresh;
  for (Cell& cell : doc.cells) cell.SetValues(fresh.cells[0].Values());
  doc.magic = fresh.magic;
  doc.width = fresh.width;
  doc.height = fresh.height;
  doc.popupCount = fresh.popupCount;
  doc.version = fresh.version;
  doc.maxPlayers = fresh.maxPlayers;
  doc.holding = fresh.holding;
  doc.teamCount = fresh.teamCount;
  doc.gameType = fresh.gameType;
  doc.powerups = fresh.powerups;
  doc.switchCount = fresh.switchCount;
  doc.flagCount = fresh.flagCount;
  doc.poleCount = fresh.poleCount;
  doc.poleTeams = fresh.poleTeams;
  doc.laserDamage = fresh.laserDamage;
  doc.specialDamage = fresh.specialDamage;
  doc.rechargeRate = fresh.rechargeRate;
  doc.missiles = fresh.missiles;
  doc.bombs = fresh.bombs;
  doc.bouncies = fresh.bouncies;
  doc.neutralFlagCount = fresh.neutralFlagCount;
  doc.name = fresh.name;
  doc.description = fresh.description;
  doc.path = fresh.path;
  doc.modified = fresh.modified;
  doc.hwnd = window;
}

struct Harness {
  Editor editor;
  ScriptedUserInterface ui{editor};
  NativeZlibLibrary zlib;
  std::unique_ptr<ZlibBinding> binding;
  MapDocument loaded;
  MapDocument reloaded;

  Harness() {
    editor.ui = &ui;
    editor.zlib = &zlib;
    binding = zlib.Load(editor.programDirectory);
  }
};

constexpr WindowId kLoadedWindow = 1001;
constexpr WindowId kReloadedWindow = 1002;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  h.ui.messages.clear();
  h.ui.titles.clear();
  h.ui.repaints.clear();
  h.ui.defaultAnswer = (size % 2) ? Answer::Yes : Answer::No;
  MapDocument& doc = h.loaded;
  ResetToNewMap(doc, kLoadedWindow);
  h.ui.titles[kLoadedWindow] = "Untitled";

  int result = LoadMapFromBytes(h.editor, doc, std::span<const uint8_t>(data, size), *h.binding);
  if (result != 1) {
    Check(result == 0);
    Check(h.ui.titles.count(kLoadedWindow) == 0);  // the refused map's window went
    Check(!h.ui.messages.empty());                 // and the user was told why
    return 0;
  }
  Check(doc.teamCount <= 4);
  Check(doc.width == 256 && doc.height == 256);
  for (int t = 0; t < 4; ++t) Check(doc.poleTeams[t].size() == doc.poleCount[t]);

  // Raw re-encoding: header plus raw cells, read back as version 1.
  if (!HeaderLengthFits(doc)) return 0;
  doc.version = 1;
  std::vector<uint8_t> again = EncodeMapHeader(doc);
  size_t headerBytes = again.size();
  again.resize(headerBytes + kCellBlockBytes);
  EncodeCells(doc.cells, again.data() + headerBytes);

  MapDocument& copy = h.reloaded;
  ResetToNewMap(copy, kReloadedWindow);
  size_t messagesBefore = h.ui.messages.size();
  Check(LoadMapFromBytes(h.editor, copy, again, *h.binding) == 1);
  Check(h.ui.messages.size() == messagesBefore);  // a complete file: nothing to tell
  for (size_t i = 0; i < doc.cells.size(); ++i) Check(copy.cells[i].Values() == doc.cells[i].Values());
  Check(copy.name == doc.name);
  Check(copy.description == doc.description);
  Check(copy.teamCount == doc.teamCount);
  Check(copy.gameType == doc.gameType);
  Check(copy.popupCount == doc.popupCount);
  Check(copy.neutralFlagCount == doc.neutralFlagCount);
  for (int t = 0; t < doc.teamCount; ++t) {
    Check(copy.flagCount[t] == doc.flagCount[t]);
    Check(copy.poleTeams[t] == doc.poleTeams[t]);
  }
  return 0;
}
