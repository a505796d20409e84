#include "native_zlib.h"

#include <zlib.h>

namespace quarl {
namespace {

class NativeZlibBinding : public ZlibBinding {
 public:
  bool HasUncompress() const override { return true; }
  bool HasCompress2() const override { return true; }
  int Uncompress(uint8_t* dest, unsigned long* destLen, const uint8_t* source,
                 unsigned long sourceLen) override {
    uLongf len = *destLen;
    int result = uncompress(dest, &len, source, sourceLen);
    *destLen = len;
    return result;
  }
  int Compress2(uint8_t* dest, unsigned long* destLen, const uint8_t* source,
                unsigned long sourceLen, int level) override {
    uLongf len = *destLen;
    int result = compress2(dest, &len, source, sourceLen, level);
    *destLen = len;
    return result;
  }
};

}  // namespace

std::unique_ptr<ZlibBinding> NativeZlibLibrary::Load(const std::string&) {
  return std::make_unique<NativeZlibBinding>();
}

}  // namespace quarl
