#include "editor/scripted_map_windows.h"

namespace quarl {

WindowId ScriptedMapWindows::CreateMapWindow(OpenMap&) {
  if (!windowCreationSucceeds) return 0;
  WindowId window = nextWindow_++;
  titles[window] = "Untitled";
  return window;
}

void ScriptedMapWindows::DestroyMapWindow(WindowId window) {
  titles.erase(window);
  CloseMapWindow(editor_, window);
}

}  // namespace quarl
