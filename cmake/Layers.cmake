# Each layer is a library that sees only its own headers and those of the layers it links. No
# target includes from the source tree: each layer has an include root of its own in the build
# tree, so an include of a layer it does not link finds no file.
#
# A root holds, for each header, a one-line header that includes the real one by its full path,
# not a link to it: making a link needs a right Windows gives only in Developer Mode or to an
# administrator, and a copy would go stale when its header is edited.
set(WETHRIX_LAYERS_ROOT ${CMAKE_BINARY_DIR}/layers)

# Puts `source` into an include root as `destination`. A file whose content is unchanged keeps its
# time, so configuring again rebuilds nothing.
function(wethrix_layer_file source destination)
  if(source MATCHES "\\.(h|hpp)$")
    file(CONFIGURE OUTPUT ${destination} CONTENT "#include \"${source}\"\n" @ONLY)
  else()
    # A file a resource script names (an icon, a manifest) cannot be forwarded; its copy is made
    # again whenever it changes, since configure_file makes configure depend on it.
    configure_file(${source} ${destination} COPYONLY)
  endif()
  set_property(GLOBAL APPEND PROPERTY WETHRIX_LAYER_FILES ${destination})
endfunction()

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
  set(root ${WETHRIX_LAYERS_ROOT}/${target})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(file IN LISTS ARGN)
    wethrix_layer_file(${CMAKE_CURRENT_SOURCE_DIR}/${file} ${root}/${folder}/${file})
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

# Code above every layer (tests, benchmarks) sees every header of its whole folder as well.
function(wethrix_whole_folder_visible)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${WETHRIX_LAYERS_ROOT}/${folder}-folder)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} *.hpp *.h)
  foreach(header IN LISTS headers)
    wethrix_layer_file(${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header})
  endforeach()
  include_directories(${root})
endfunction()

# A header that has gone or moved to another layer would still be found through the file it left
# behind: once every layer is made, whatever this configure did not write goes.
function(wethrix_remove_stale_layer_files)
  get_property(written GLOBAL PROPERTY WETHRIX_LAYER_FILES)
  file(GLOB_RECURSE present ${WETHRIX_LAYERS_ROOT}/*)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST written)
      file(REMOVE ${file})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL wethrix_remove_stale_layer_files)

# A build folder configured before kept links here; writing a header through one would overwrite
# the source it points to.
file(GLOB_RECURSE entries LIST_DIRECTORIES true ${WETHRIX_LAYERS_ROOT}/*)
foreach(entry IN LISTS entries)
  if(IS_SYMLINK ${entry})
    file(REMOVE ${entry})
  endif()
endforeach()
