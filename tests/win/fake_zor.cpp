// Stands in for the game in the Test Map tests: records the arguments it was
// started with and its working directory in zor-run.txt there.

#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  const char* line = GetCommandLineA();
  const char* end = *line == '"' ? std::strchr(line + 1, '"') : std::strchr(line, ' ');  // the program name
  line = end ? end + 1 : "";
  while (*line == ' ') ++line;
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof directory, directory);
  FILE* f = std::fopen("zor-run.txt", "wb");
  if (!f) return 1;
  std::fprintf(f, "%s\n%s\n", line, directory);
  return std::fclose(f);
}
