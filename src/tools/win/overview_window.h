#pragma once
// The overview (window class "overview"): a popup showing a whole map one
// pixel per cell, with the outline of the part its map window shows. It
// stays tied to that map (App().overviewDoc) until it is closed or the map's
// window is destroyed. A click, or a drag with the left button held,
// centres the map window on the cell under the pointer.

#include <windows.h>

#include "map/map_document.h"

namespace quarl::win {

// Registers the class (a failed registration, as on every call after the
// first, is ignored), makes doc the overview's map and creates and shows the
// window at the screen's centre, owned by the frame. 1, or 0 when the window
// could not be created.
int OpenOverview(MapDocument& doc);

// The map window of doc painted (an edit, a scroll): the overview, when it
// shows doc, is painted again with the cells and outline as they are now.
void RefreshOverview(const MapDocument* doc);

}  // namespace quarl::win
