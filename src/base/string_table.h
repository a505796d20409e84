#pragma once
// The program's string table (string_texts.inc, which the Windows resources
// carry too).

namespace quarl {

enum StringId : int {
#define QUARL_STRING(name, id, text) name = id,
#include "base/string_texts.inc"
#undef QUARL_STRING
};

// The text of a string id; empty for an id the table does not hold.
const char* StringText(int id);

}  // namespace quarl
