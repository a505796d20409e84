// Feeds arbitrary bytes to the update list parser. Only the parser runs:
// nothing is copied or deleted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/update_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const quarl::ParsedUpdateList list = quarl::ParseUpdateList(data, size);
  if (!list.damage.empty()) {
    if (!list.entries.empty()) std::abort();
    return 0;
  }
  for (const quarl::UpdateEntry& entry : list.entries) {
    for (const std::string* name : {&entry.source, &entry.destination}) {
      if (name->empty() || name->size() > quarl::kMaxUpdateNameLength) std::abort();
      if (name->find('\0') != std::string::npos) std::abort();
    }
  }
  // A sound list is exactly the bytes of its entries.
  const std::vector<uint8_t> again = quarl::FormatUpdateList(list.entries);
  if (again.size() != size || (size && std::memcmp(again.data(), data, size) != 0)) std::abort();
  return 0;
}
