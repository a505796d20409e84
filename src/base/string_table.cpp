#include "base/string_table.h"

namespace quarl {

const char* StringText(int id) {
  switch (id) {
#define QUARL_STRING(name, id, text) \
  case name:                         \
    return text;
#include "base/string_texts.inc"
#undef QUARL_STRING
    default: return "";
  }
}

}  // namespace quarl
