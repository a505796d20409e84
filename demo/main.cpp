// quarl-demo-game OUTPUT_DIRECTORY: writes the demo game's tiles.bmp,
// anims.dat and mrdata.dat and the demo maps into the directory.
#include <cstdio>
#include <string>

#include "demo_game.h"
#include "demo_maps.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  std::string error;
  const quarl::demo::DemoGame game = quarl::demo::BuildDemoGame();
  if (!quarl::demo::WriteDemoGame(game, argv[1], &error) ||
      !quarl::demo::WriteDemoMaps(quarl::demo::BuildDemoMaps(), argv[1], &error)) {
    std::fprintf(stderr, "quarl-demo-game: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
