#pragma once
// The .map file type, registered at every start-up under HKEY_CLASSES_ROOT:
// ".map" names "Quarl.Document", whose icon is the program's second icon and
// whose open command starts the program with the document's path.

#include <string>

namespace quarl::win {

// Writes the association for the program the full command line starts.
// Failures (no right to write there) are ignored: the program runs on
// without it.
void RegisterFileAssociation(const std::string& commandLine);

}  // namespace quarl::win
