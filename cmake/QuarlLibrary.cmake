# quarl_library(NAME DIR <folder under src> SOURCES <files> [DEPENDS <libraries>])
#
# One library per folder. Its headers are reachable as "<folder>/name.h" only
# through an include root of its own (links to the folder's headers, made at
# configure time), which reaches the libraries that link it. A file that
# includes a header of a library it does not depend on - a folder above it, or
# a win/ folder from portable code - does not compile.
function(quarl_library name)
  cmake_parse_arguments(ARG "" "DIR" "SOURCES;DEPENDS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${ARG_DIR})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${ARG_DIR}/*.h ${CMAKE_SOURCE_DIR}/src/${ARG_DIR}/*.inc)
  foreach(header ${headers})
    get_filename_component(file ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${ARG_DIR}/${file} SYMBOLIC)
  endforeach()

  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/src/${ARG_DIR}/)
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${root})
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()
