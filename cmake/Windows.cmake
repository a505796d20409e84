# Windows build (MinGW-w64 cross compile): quarl.exe, its resources, and the
# Windows tests that run under Wine through CTest.

enable_language(RC)
enable_testing()

# --- icons, cursors and toolbox pictures, drawn by a generator built for the
# --- build machine itself.
find_program(QUARL_HOST_CXX NAMES g++ c++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(QUARL_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(QUARL_ARTGEN ${QUARL_ART_DIR}/quarl-artgen)
set(QUARL_ART_FILES
  ${QUARL_ART_DIR}/toolbox_vertical.bmp ${QUARL_ART_DIR}/toolbox_horizontal.bmp
  ${QUARL_ART_DIR}/quarl.ico ${QUARL_ART_DIR}/map.ico ${QUARL_ART_DIR}/tray.ico
  ${QUARL_ART_DIR}/map.cur ${QUARL_ART_DIR}/picker.cur)
add_custom_command(
  OUTPUT ${QUARL_ARTGEN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUARL_ART_DIR}
  COMMAND ${QUARL_HOST_CXX} -std=c++20 -O1 -o ${QUARL_ARTGEN} ${CMAKE_SOURCE_DIR}/src/resources/artgen.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/artgen.cpp
  COMMENT "Building the resource art generator for the build machine")
add_custom_command(
  OUTPUT ${QUARL_ART_FILES}
  COMMAND ${QUARL_ARTGEN} ${QUARL_ART_DIR}
  DEPENDS ${QUARL_ARTGEN}
  COMMENT "Drawing icons, cursors and toolbox pictures")
add_custom_target(quarl_art DEPENDS ${QUARL_ART_FILES})

set(QUARL_RC ${CMAKE_SOURCE_DIR}/src/resources/quarl.rc)
set_source_files_properties(${QUARL_RC} PROPERTIES
  OBJECT_DEPENDS "${QUARL_ART_FILES};${CMAKE_SOURCE_DIR}/src/resources/resource_ids.h;${CMAKE_SOURCE_DIR}/src/base/string_texts.inc")
# windres finds the generated art and resource_ids.h through these.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${QUARL_ART_DIR} -I${CMAKE_SOURCE_DIR}/src/resources")

# zlib comes as the MinGW package's DLL, copied beside quarl.exe as zlib.dll;
# the program binds it at run time for each load and save.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUARL_ZLIB_DLL /usr/x86_64-w64-mingw32/lib/zlib1.dll)
else()
  set(QUARL_ZLIB_DLL /usr/i686-w64-mingw32/lib/zlib1.dll)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/win/win_main.cpp)
  add_executable(quarl WIN32 src/app/win/win_main.cpp ${QUARL_RC})
  target_link_libraries(quarl PRIVATE quarl_win)
  add_dependencies(quarl quarl_art)
  add_custom_command(TARGET quarl POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUARL_ZLIB_DLL} $<TARGET_FILE_DIR:quarl>/zlib.dll)
endif()

# --- Windows tests (GoogleTest built with the posix cross compiler).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/win)

# --- Windows benchmarks (make bench runs them under Wine).
add_subdirectory(bench/win)
