#pragma once
// zlib linked into the native tools, behind the same binding the program
// loads from zlib.dll.

#include "map/zlib_library.h"

namespace quarl {

class NativeZlibLibrary : public ZlibLibrary {
 public:
  std::unique_ptr<ZlibBinding> Load(const std::string& programDirectory) override;
};

}  // namespace quarl
