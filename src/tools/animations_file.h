#pragma once
// Reading anims.dat: 66-byte records with no header, one animation each.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "base/user_interface.h"
#include "tools/animations.h"

namespace quarl {

// Appends one animation per record of `bytes` to `list`, numbered from the
// list's current size. A record is a frame count, an unused byte and 32
// little-endian 16-bit slots; a frame is a slot's low 15 bits, and the first
// slot whose low 15 bits are 0 ends the frames.
//
// A file whose length is not a multiple of 66 ends in a partial record. It
// still becomes an animation, so that every id up to the end of the file
// exists and maps made with such a file keep their numbering; it holds only
// the frames whose slots lie wholly inside the file (possibly none).
//
// Returns the number of animations appended.
size_t ParseAnimations(const uint8_t* bytes, size_t size, AnimationList& list);

// Replaces `list` with the animations of the file at `path`. Returns 1, or
// -1 when the file cannot be opened or read (the list is then left empty).
int ReadAnimationsFile(const std::filesystem::path& path, AnimationList& list);

// Reads anims.dat from the program directory into list. When it cannot be
// opened the user is told (string 2, "Error - Fatal") and the result is -1;
// the caller then stops the program.
int LoadAnimations(const std::filesystem::path& programDirectory, AnimationList& list, UserInterface& ui);

}  // namespace quarl
