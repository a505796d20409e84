// A zlib.dll that is not the real one: it exports uncompress (which always
// fails) but no compress2, so that saving must refuse it.

extern "C" __declspec(dllexport) int uncompress(unsigned char*, unsigned long*, const unsigned char*, unsigned long) {
  return -3;  // Z_DATA_ERROR
}
