#pragma once
// zlib as the map files use it: bound for the length of one load or save,
// from a library that may be missing or lack an entry point.

#include <cstdint>
#include <memory>
#include <string>

namespace quarl {

class ZlibBinding {
 public:
  virtual ~ZlibBinding() = default;
  virtual bool HasUncompress() const = 0;
  virtual bool HasCompress2() const = 0;
  // zlib's uncompress and compress2; results are zlib's codes (Z_OK = 0).
  virtual int Uncompress(uint8_t* dest, unsigned long* destLen, const uint8_t* source,
                         unsigned long sourceLen) = 0;
  virtual int Compress2(uint8_t* dest, unsigned long* destLen, const uint8_t* source,
                        unsigned long sourceLen, int level) = 0;
};

class ZlibLibrary {
 public:
  virtual ~ZlibLibrary() = default;
  // Loads the library from the program directory; null when it is missing.
  virtual std::unique_ptr<ZlibBinding> Load(const std::string& programDirectory) = 0;
};

}  // namespace quarl
