# Native (Linux) build: the command-line tool, the demo game generator, the
# unit tests and the benchmarks.
find_package(ZLIB REQUIRED)
find_package(nlohmann_json REQUIRED)
find_package(CLI11 REQUIRED)
find_package(GTest REQUIRED)

enable_testing()

add_subdirectory(cli)
add_subdirectory(demo)
add_subdirectory(tests)
if(QUARL_BENCH)
  add_subdirectory(bench)
endif()
