# JSON comes from Debian's nlohmann-json3-dev. The cross compiler must not search /usr/include,
# so its headers are copied into the build tree on their own.
add_library(wethrix_json INTERFACE)
find_package(nlohmann_json 3 QUIET)
if(nlohmann_json_FOUND AND NOT CMAKE_CROSSCOMPILING)
  target_link_libraries(wethrix_json INTERFACE nlohmann_json::nlohmann_json)
else()
  find_path(WETHRIX_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(COPY ${WETHRIX_NLOHMANN_DIR}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/thirdparty)
  target_include_directories(wethrix_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/thirdparty)
endif()

if(WETHRIX_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # GoogleTest for the Windows build is compiled from Debian's sources.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Test code, optimised as little as the tests are (tests/CMakeLists.txt).
    foreach(library gtest gtest_main gmock gmock_main)
      target_compile_options(${library} PRIVATE -O1)
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
