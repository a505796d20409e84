// quarl-map: inspect, check and rewrite ZOR maps from the command line.
#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"quarl-map: inspect, check and rewrite ZOR .map files"};
  app.require_subcommand(1);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
