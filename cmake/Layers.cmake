# Each layer is a library that sees only its own headers and those of the layers it links. No
# target includes from the source tree: a layer's headers are linked one by one into an include
# root of its own in the build tree, so an include of a layer it does not link finds no file.
#
# wethrix_expose(<target> <file>...) lets whatever links <target> include those files of the
# current folder (headers, and the files a resource script names); a folder's files may be
# shared out among several layers.
function(wethrix_expose target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(scope INTERFACE)
  else()
    set(scope PUBLIC)
  endif()
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS ARGN)
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# The headers of the current folder, less `exceptions`, which another layer exposes.
function(wethrix_folder_headers out)
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} *.hpp *.h)
  if(ARGN)
    list(REMOVE_ITEM headers ${ARGN})
  endif()
  set(${out} ${headers} PARENT_SCOPE)
endfunction()

# wethrix_layer(<target> SOURCES <file>... [LINKS <layer>...] [EXCEPT <header>...]): a layer made
# of sources of the current folder that exposes the folder's headers, less those another layer
# exposes, and sees the layers it links.
function(wethrix_layer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS;EXCEPT" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  wethrix_folder_headers(headers ${ARG_EXCEPT})
  wethrix_expose(${target} ${headers})
  target_link_libraries(${target} PUBLIC ${ARG_LINKS})
  wethrix_warnings(${target})
endfunction()

# Code above every layer (tests, benchmarks) sees its whole folder as well.
function(wethrix_whole_folder_visible)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/layers/${folder}-folder)
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  include_directories(${root})
endfunction()

# Links left behind by a header that has gone or moved to another layer would still be found.
file(REMOVE_RECURSE ${CMAKE_BINARY_DIR}/layers)
