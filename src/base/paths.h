#pragma once
// File names as the user gives them, opened against the program directory.

#include <filesystem>
#include <string>

namespace quarl {

// path itself when it is absolute or there is no directory; otherwise path
// taken from directory, as if that were the working directory.
inline std::string ResolvePath(const std::string& directory, const std::string& path) {
  if (directory.empty() || path.empty() || std::filesystem::path(path).is_absolute()) return path;
  return (std::filesystem::path(directory) / path).string();
}

}  // namespace quarl
