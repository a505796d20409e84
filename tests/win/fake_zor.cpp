// Stands in for the game in the Test Map tests: records the arguments it was
// started with and its working directory in zor-run.txt there.

#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  const char* line = GetCommandLineA();
  // Skip the program name, quoted or not.
  if (*line == '"') {
    line = std::strchr(line + 1, '"');
    line = line ? line + 1 : "";
  } else {
    while (*line && *line != ' ') ++line;
  }
  while (*line == ' ') ++line;
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof directory, directory);
  FILE* f = std::fopen("zor-run.txt", "wb");
  if (!f) return 1;
  std::fprintf(f, "%s\n%s\n", line, directory);
  std::fclose(f);
  return 0;
}
