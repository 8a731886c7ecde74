# Cross toolchain: Clang 16 for x86_64-w64-mingw32 on what the GCC build uses, Debian's mingw-w64
# headers and import libraries, GCC's posix libstdc++ and GNU ld, so both compilers build the
# same program from the same libraries.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_C_COMPILER clang-16)
set(CMAKE_CXX_COMPILER clang++-16)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)

# Clang does not look in GCC's "12-posix" folder for libstdc++ by itself.
file(GLOB WETHRIX_MINGW_GCC_DIR LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
set(libstdcxx ${WETHRIX_MINGW_GCC_DIR}/include/c++)
# libstdc++ was built by GCC with emulated thread-locals; its headers' thread-locals must match.
set(CMAKE_CXX_FLAGS_INIT "-stdlib++-isystem ${libstdcxx} -stdlib++-isystem ${libstdcxx}/x86_64-w64-mingw32 -femulated-tls")
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
# -pthread puts winpthreads inside the group of runtime libraries, after libgcc_eh that needs it.
# GNU ld, as for GCC: LLD would put the delay-load library's import addresses among read-only data.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-L${WETHRIX_MINGW_GCC_DIR} -pthread")
endforeach()
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/clang-mingw-link.sh)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/clang-mingw-link.sh)

# The binutils of the GCC build, not the LLVM ones CMake prefers beside Clang: the delay-load
# library is made with GNU dlltool's options.
foreach(tool AR RANLIB DLLTOOL NM OBJCOPY OBJDUMP STRIP)
  string(TOLOWER ${tool} name)
  set(CMAKE_${tool} /usr/bin/x86_64-w64-mingw32-${name} CACHE FILEPATH "")
endforeach()
