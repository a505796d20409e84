#pragma once
// How quarl-map reads its input files: whole, bounded, and only when they are
// regular files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarl {

// Reads the file at path (the whole path, however long) into bytes. Refused,
// with the reason in why:
// * anything that is not a regular file (after following symbolic links): a
//   directory, a pipe (which would block), a device (which may never end);
// * a file larger than maxBytes, before any of it is read;
// * what the system refuses, with its reason ("No such file or directory").
// kind names the file for the size message ("a map", "an anims.dat").
bool ReadInputFile(const std::string& path, size_t maxBytes, const char* kind, std::vector<uint8_t>& bytes,
                   std::string& why);

}  // namespace quarl
