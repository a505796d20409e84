// Feeds arbitrary bytes to the mrdata.dat reader. A refused file must leave
// the tables as they were; an accepted one must write back to bytes that read
// back to the same tables, never longer than what was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "history/mrdata_file.h"

namespace {

quarl::MirrorRotateTables Bystander() {
  quarl::MirrorRotateTables t;
  t.mirror.entries = {quarl::MirrorRotateEntry{{1, 2, 3, 4}}};
  t.rotate.entries = {quarl::MirrorRotateEntry{{5, 6, 7, quarl::ANIM_FLAG | 8}}};
  return t;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  quarl::MirrorRotateTables tables = Bystander();
  const quarl::MrdataStatus status = quarl::ParseMrdata(bytes, tables);
  if (status != quarl::MrdataStatus::Loaded) {
    Check(tables.mirror.entries == Bystander().mirror.entries);
    Check(tables.rotate.entries == Bystander().rotate.entries);
    return 0;
  }
  Check(tables.mirror.Count() <= quarl::kMaxTableEntries);
  Check(tables.rotate.Count() <= quarl::kMaxTableEntries);
  const std::vector<uint8_t> written = quarl::SerializeMrdata(tables);
  Check(written.size() <= size);
  quarl::MirrorRotateTables back;
  Check(quarl::ParseMrdata(written, back) == quarl::MrdataStatus::Loaded);
  Check(back.mirror.entries == tables.mirror.entries);
  Check(back.rotate.entries == tables.rotate.entries);
  return 0;
}
