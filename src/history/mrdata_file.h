#pragma once
// mrdata.dat: the mirror and rotate tables as the program keeps them between
// runs, in its program directory. Little-endian:
//   u16 mirrorBytes (16 x mirror entries), the mirror entries,
//   u16 rotateBytes (16 x rotate entries), the rotate entries,
// each entry four u32 TileRef values, slot 0 first. End entries are not
// stored. Bytes after the rotate entries are ignored: the writer never
// shortens the file, so a file that once held longer tables keeps a stale
// tail.
//
// A damaged file is refused whole and the tables in force (the built-in
// ones at start-up) stay: a byte count that is not a multiple of 16, a table
// of more than 511 entries, or a file that ends inside a byte count or the
// entries it announces. Reading part of such a file would hand the user
// tables that are silently half missing or shifted by a few bytes, and the
// next save would write them back as if they were right.
// An entry whose slot 0 is END_MARK ends its table as it does in memory:
// that entry and the rest of that table's entries are not kept.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "history/mirror_rotate_tables.h"

namespace quarl {


constexpr const char* kMrdataFileName = "mrdata.dat";
constexpr size_t kMrdataEntryBytes = 16;
// The longest prefix of a file that can matter: two full tables.
constexpr size_t kMrdataMaxBytes = 2 * (2 + kMaxTableEntries * kMrdataEntryBytes);

enum class MrdataStatus {
  Loaded,
  CannotOpen,           // missing or unreadable: the caller says so and goes on
  ByteCountNotEntries,  // a byte count that is not a multiple of 16
  TooManyEntries,       // a table of more than 511 entries
  EndsEarly,            // the file ends before the data it announces
};

// What went wrong, for a message box; empty for Loaded.
std::string MrdataStatusText(MrdataStatus status);

// Reads an mrdata.dat image. On Loaded, tables holds the file's tables; on
// any other result tables is left exactly as it was.
MrdataStatus ParseMrdata(std::span<const uint8_t> bytes, MirrorRotateTables& tables);

// The file image of the tables: their counted entries, at most 511 each.
std::vector<uint8_t> SerializeMrdata(const MirrorRotateTables& tables);

// Reads a tables file at path (unchanged unless Loaded).
MrdataStatus ReadMrdataFile(const std::filesystem::path& path, MirrorRotateTables& tables);
// Writes the tables over the start of the file at path, creating it when it
// is missing and never shortening it.
bool WriteMrdataFile(const std::filesystem::path& path, const MirrorRotateTables& tables);

// Loads directory/mrdata.dat into tables (unchanged unless Loaded).
MrdataStatus LoadMirrorRotateTables(const std::string& directory, MirrorRotateTables& tables);
// Writes the tables over the start of directory/mrdata.dat, creating the file
// when it is missing and never shortening it. False when nothing could be
// opened or the write failed.
bool SaveMirrorRotateTables(const std::string& directory, const MirrorRotateTables& tables);

}  // namespace quarl
