#pragma once
// zlib for the Windows program: zlib.dll from the program directory, loaded
// for one load or save and released afterwards.

#include "map/zlib_library.h"

namespace quarl::win {

class WinZlibLibrary : public ZlibLibrary {
 public:
  std::unique_ptr<ZlibBinding> Load(const std::string& programDirectory) override;
};

}  // namespace quarl::win
