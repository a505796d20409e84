#pragma once
// The built-in mirror and rotate tables, used until mrdata.dat replaces them.

#include "history/mirror_rotate_tables.h"

namespace quarl {

constexpr int kDefaultMirrorEntries = 170;
constexpr int kDefaultMirrorAnimationEntries = 60;  // the last 60 rows
constexpr int kDefaultRotateEntries = 158;
constexpr int kDefaultRotateAnimationEntries = 37;  // the last 37 rows

MirrorRotateTables DefaultMirrorRotateTables();

}  // namespace quarl
