#pragma once
// Map windows without windows: ids handed out in order and their titles
// recorded. Used by the tests and by quarl-map's edit scripts.

#include <map>
#include <string>
#include <vector>

#include "editor/editor.h"

namespace quarl {

class ScriptedMapWindows : public MapWindows {
 public:
  explicit ScriptedMapWindows(Editor& editor) : editor_(editor) {}

  bool classRegistrationSucceeds = true;
  bool windowCreationSucceeds = true;

  std::map<WindowId, std::string> titles;  // live map windows and their titles
  std::vector<WindowId> repaints;

  bool RegisterMapWindowClass() override { return classRegistrationSucceeds; }
  WindowId CreateMapWindow(OpenMap& map) override;
  void DestroyMapWindow(WindowId window) override;
  void SetWindowTitle(WindowId window, const std::string& title) override { titles[window] = title; }
  void RepaintWindow(WindowId window) override { repaints.push_back(window); }

 private:
  Editor& editor_;
  WindowId nextWindow_ = 1;
};

}  // namespace quarl
