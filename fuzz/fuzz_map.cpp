// Feeds arbitrary bytes to the .map loader as the contents of a file, with
// real zlib. Odd-length inputs answer Yes to the version question, so both
// answers are explored. Only loading runs here, so that the fuzzer gets
// through thousands of inputs a second; fuzz_map_roundtrip saves what loads.
#include <cstddef>
#include <cstdint>
#include <span>

#include "map/map_files.h"
#include "map_fuzz_harness.h"

using namespace quarl;
using fuzz::Check;

// Every cell is one a cell word can give: a plain tile of 15 bits, or an
// animation with tile 0, an 8-bit id and a 7-bit offset. Left out of the
// instrumentation: 65536 traced comparisons per input would cost more than
// the loading and teach the fuzzer nothing, and the reads are all in bounds.
__attribute__((no_sanitize("coverage", "address", "undefined"))) bool AllCellsDecodable(const MapDocument& doc) {
  const Cell* cells = doc.cells.data();
  const size_t count = doc.cells.size();
  unsigned bad = 0;
  for (size_t i = 0; i < count; ++i) {
    const Cell& cell = cells[i];
    if (cell.data == -1) {
      bad |= (cell.anim != -1) | (static_cast<uint32_t>(cell.tile) > 0x7FFF);
    } else {
      bad |= (cell.tile != 0) | (static_cast<uint32_t>(cell.anim) > 0xFF) | (static_cast<uint32_t>(cell.data) > 0x7F);
    }
  }
  return bad == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::MapHarness h;
  MapDocument* loaded = h.Load(data, size);
  if (!loaded) return 0;
  MapDocument& doc = *loaded;
  Check(doc.teamCount <= 4);
  Check(doc.width == 256 && doc.height == 256);
  for (int t = 0; t < 4; ++t) Check(doc.poleTeams[t].size() == doc.poleCount[t]);
  Check(AllCellsDecodable(doc));
  return 0;
}
