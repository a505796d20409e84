// Feeds arbitrary bytes to the .map loader as the contents of a file, with
// real zlib. Odd-length inputs answer Yes to the version question, so both
// answers are explored. A map that loads is re-encoded and loaded again: the
// cells and the header fields must come back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/scripted_user_interface.h"
#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map/new_map.h"
#include "native_zlib.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarl;
  Editor editor;
  ScriptedUserInterface ui(editor);
  NativeZlibLibrary zlib;
  editor.ui = &ui;
  editor.zlib = &zlib;
  ui.defaultAnswer = (size % 2) ? Answer::Yes : Answer::No;

  MapDocument* doc = CreateNewMAP(editor);
  Check(doc != nullptr);
  auto binding = zlib.Load(editor.programDirectory);
  int result = LoadMapFromBytes(editor, *doc, std::span<const uint8_t>(data, size), *binding);
  if (result != 1) {
    Check(editor.maps.Empty());
    return 0;
  }
  Check(editor.maps.Size() == 1);
  Check(doc->teamCount <= 4);
  Check(doc->width == 256 && doc->height == 256);
  for (int t = 0; t < 4; ++t) Check(doc->poleTeams[t].size() == doc->poleCount[t]);

  // Raw re-encoding: header plus raw cells, read back as version 1.
  if (!HeaderLengthFits(*doc)) return 0;
  doc->version = 1;
  std::vector<uint8_t> again = EncodeMapHeader(*doc);
  size_t headerBytes = again.size();
  again.resize(headerBytes + kCellBlockBytes);
  EncodeCells(doc->cells, again.data() + headerBytes);

  MapDocument* copy = CreateNewMAP(editor);
  Check(copy != nullptr);
  size_t messagesBefore = ui.messages.size();
  Check(LoadMapFromBytes(editor, *copy, again, *binding) == 1);
  Check(ui.messages.size() == messagesBefore);  // a complete file: nothing to tell
  for (size_t i = 0; i < doc->cells.size(); ++i) Check(copy->cells[i].Values() == doc->cells[i].Values());
  Check(copy->name == doc->name);
  Check(copy->description == doc->description);
  Check(copy->teamCount == doc->teamCount);
  Check(copy->neutralFlagCount == doc->neutralFlagCount);
  for (int t = 0; t < doc->teamCount; ++t) Check(copy->poleTeams[t] == doc->poleTeams[t]);
  return 0;
}
