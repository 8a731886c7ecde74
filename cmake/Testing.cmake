include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
endif()

# One test program per area. Natively each test case is its own ctest entry; under Wine a whole
# program is one entry, since starting Wine per case would dominate the run.
# STANDIN: the program reaches the local weather stand-in. Each such program gets a stand-in of
# its own on a free port (tests/standin/around.sh), so programs that ctest runs side by side never
# see each other's requests, and no port is fixed. TLS: the stand-in also serves over TLS behind a
# proxy of its own (around.sh --tls).
function(wethrix_test_program name)
  cmake_parse_arguments(ARG "STANDIN;TLS" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock)
  if(NOT TARGET GTest::gtest_main)
    target_link_libraries(${name} PRIVATE gtest_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  wethrix_warnings(${name})
  if(WIN32)
    wethrix_windows_program(${name})
    if(ARG_STANDIN)
      set(tls "")
      if(ARG_TLS)
        set(tls --tls)
      endif()
      add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/standin/around.sh ${tls} ${CMAKE_CROSSCOMPILING_EMULATOR}
                                    $<TARGET_FILE:${name}> --gtest_brief=1)
    else()
      add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS "windows;${ARG_LABELS}")
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native;${ARG_LABELS}")
  endif()
endfunction()
