#pragma once

#include "editor/editor.h"

namespace quarl {

// Makes an empty 256 x 256 map, links it into the open-map list and gives it
// a map window, which becomes the active one. Null when the window class or
// the window could not be made (the user has been told of the class).
OpenMap* CreateNewMAP(Editor& editor);

}  // namespace quarl
