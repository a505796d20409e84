#include "app/command_line.h"

namespace quarl {

std::string CommandLineDirectory(const std::string& commandLine) {
  size_t slash = commandLine.rfind('\\');
  if (slash == std::string::npos) return "";
  std::string directory = commandLine.substr(0, slash);
  if (!directory.empty() && directory[0] == '"') directory.erase(0, 1);
  return directory;
}

std::vector<std::string> MapArgumentsInOpenOrder(const std::string& arguments) {
  std::vector<std::string> names;
  if (arguments.empty()) return names;
  std::string rest = arguments;
  for (size_t blank = rest.rfind(' '); blank != std::string::npos; blank = rest.rfind(' ')) {
    names.push_back(rest.substr(blank + 1));
    rest.resize(blank);
  }
  names.push_back(rest);
  return names;
}

std::string AssociationProgramPath(const std::string& commandLine) {
  // A 256-byte buffer: 255 characters and the terminator.
  std::string path = commandLine.substr(0, 255);
  if (size_t blank = path.find(' '); blank != std::string::npos) path.resize(blank);
  if (!path.empty() && path.front() == '"') path.erase(0, 1);
  if (!path.empty() && path.back() == '"') path.pop_back();
  return path;
}

std::string AssociationOpenCommand(const std::string& programPath) { return programPath + " \"%*\""; }

}  // namespace quarl
