// Compiled against one library with one header named by the build; whether
// it compiles says whether that library can see that header.
#include PROBE_HEADER
