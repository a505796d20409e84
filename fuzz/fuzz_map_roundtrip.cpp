// Loads arbitrary bytes as a .map file and saves every map that loads the way
// the editor saves (header and level-9 compressed cells), then loads that
// file again: cells and header fields must come back the same. Slower than
// fuzz_map by the compression of every input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "map/map_file_format.h"
#include "map/map_files.h"
#include "map_fuzz_harness.h"

using namespace quarl;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::MapHarness h;
  MapDocument* loaded = h.Load(data, size);
  if (!loaded) return 0;
  MapDocument& doc = *loaded;

  doc.version = kSavedMapVersion;
  const size_t messagesBefore = h.ui.messages.size();
  const std::optional<std::vector<uint8_t>> saved = BuildMapFile(doc, *h.binding, h.ui);
  if (!HeaderLengthFits(doc)) {
    Check(!saved && h.ui.messages.size() == messagesBefore + 1);  // refused, and said so
    return 0;
  }
  Check(saved.has_value());

  MapDocument& copy = h.reloaded;
  fuzz::ResetToNewMap(copy);
  Check(LoadMapFromBytes(copy, *saved, *h.binding, h.ui).result == OpenResult::Loaded);
  Check(h.ui.messages.size() == messagesBefore);  // a complete file: nothing to tell
  Check(std::memcmp(copy.cells.data(), doc.cells.data(), doc.cells.size() * sizeof(Cell)) == 0);
  Check(copy.name == doc.name);
  Check(copy.description == doc.description);
  Check(copy.teamCount == doc.teamCount);
  Check(copy.gameType == doc.gameType);
  Check(copy.maxPlayers == doc.maxPlayers && copy.holding == doc.holding && copy.powerups == doc.powerups);
  Check(copy.popupCount == doc.popupCount);
  Check(copy.switchCount == doc.switchCount);
  Check(copy.neutralFlagCount == doc.neutralFlagCount);
  for (int t = 0; t < doc.teamCount; ++t) {
    Check(copy.flagCount[t] == doc.flagCount[t]);
    Check(copy.poleTeams[t] == doc.poleTeams[t]);
  }
  return 0;
}
