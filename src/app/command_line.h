#pragma once
// The program's command line: where it was started from, and the map files
// it names.

#include <string>
#include <vector>

namespace quarl {

// The directory the program runs in, from its full command line: the text
// before the last backslash, with a leading double quote dropped; empty
// when there is no backslash.
std::string CommandLineDirectory(const std::string& commandLine);

// The map names of the argument text in the order they are opened: split at
// blanks and taken from the last to the first. Empty names (a trailing
// blank) are kept; quotes are not removed.
std::vector<std::string> MapArgumentsInOpenOrder(const std::string& arguments);

// The program path the .map association names, from the full command line:
// its first 255 characters, cut at the first blank, without a leading and
// then a trailing double quote. A path with a blank in it is cut there.
std::string AssociationProgramPath(const std::string& commandLine);

// The open command the association registers for that path: the path, a
// blank and "%*" in double quotes.
std::string AssociationOpenCommand(const std::string& programPath);

}  // namespace quarl
