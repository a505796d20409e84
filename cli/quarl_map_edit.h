#pragma once
// quarl-map edit: runs an edit script against a map through the editor's
// own editing engine, printing what the editor would show, then saves.

#include <string>

namespace quarl {

// script is a file name, or "-" for standard input. out empty: save nothing
// at the end. What the script prints is appended to printed. Returns the exit
// status (0 done, 2 bad script or unusable input; nothing is saved then).
int RunEditScript(const std::string& map, const std::string& out, const std::string& script, bool yes,
                  std::string& printed);

}  // namespace quarl
