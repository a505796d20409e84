#include "app/win/win_zlib.h"

#include <windows.h>

#include <cstdio>

namespace quarl::win {
namespace {

// zlib's own signatures (uLong is 32 bits on Windows, as unsigned long is).
using UncompressFn = int(__cdecl*)(unsigned char*, unsigned long*, const unsigned char*, unsigned long);
using Compress2Fn = int(__cdecl*)(unsigned char*, unsigned long*, const unsigned char*, unsigned long, int);

class DllBinding : public ZlibBinding {
 public:
  explicit DllBinding(HMODULE module)
      : module_(module),
        uncompress_(reinterpret_cast<UncompressFn>(reinterpret_cast<void*>(GetProcAddress(module, "uncompress")))),
        compress2_(reinterpret_cast<Compress2Fn>(reinterpret_cast<void*>(GetProcAddress(module, "compress2")))) {}
  ~DllBinding() override { FreeLibrary(module_); }
  DllBinding(const DllBinding&) = delete;
  DllBinding& operator=(const DllBinding&) = delete;

  bool HasUncompress() const override { return uncompress_ != nullptr; }
  bool HasCompress2() const override { return compress2_ != nullptr; }
  int Uncompress(uint8_t* dest, unsigned long* destLen, const uint8_t* source, unsigned long sourceLen) override {
    return uncompress_ ? uncompress_(dest, destLen, source, sourceLen) : -2;  // Z_STREAM_ERROR
  }
  int Compress2(uint8_t* dest, unsigned long* destLen, const uint8_t* source, unsigned long sourceLen,
                int level) override {
    return compress2_ ? compress2_(dest, destLen, source, sourceLen, level) : -2;
  }

 private:
  HMODULE module_;
  UncompressFn uncompress_;
  Compress2Fn compress2_;
};

}  // namespace

std::unique_ptr<ZlibBinding> WinZlibLibrary::Load(const std::string& programDirectory) {
  char path[MAX_PATH + 16];
  std::snprintf(path, sizeof path, "%s\\zlib.dll", programDirectory.c_str());
  HMODULE module = LoadLibraryA(path);
  if (!module) return nullptr;
  return std::make_unique<DllBinding>(module);
}

}  // namespace quarl::win
