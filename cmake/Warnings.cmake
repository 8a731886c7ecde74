function(wethrix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Wnon-virtual-dtor -Werror)
  endif()
  if(WETHRIX_SANITIZE AND NOT WIN32 AND NOT MSVC)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

# Windows programs are linked statically so nothing beside them is loaded by accident.
# The main thread gets a 1 MiB stack, as Windows' own tools give a program, not the toolchain's
# 2 MiB: Wine commits a stack whole, so the other MiB was a tenth of the program's memory.
function(wethrix_windows_program target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--stack,1048576)
  endif()
endfunction()

# What a shipped program leaves out: debug sections of the static libraries, and every function
# and datum nothing calls (the project compiles each into a section of its own for this).
# An uncaught exception ends a shipped program without the name of its type, which no one would
# read (neither has a console): the name would bring along the C++ demangler and the formatted
# print library, a third of the converter's size.
function(wethrix_shipped_program target)
  wethrix_windows_program(${target})
  if(MINGW)
    target_link_options(${target} PRIVATE -s -Wl,--gc-sections
                                          -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
  endif()
endfunction()

# A console program kept small, built the way the converter is: optimised for size and shipped
# as above. Its code stays away from streams and std::filesystem, which carry the locale library.
function(wethrix_small_console_program target)
  wethrix_shipped_program(${target})
  if(MINGW)
    target_compile_options(${target} PRIVATE -Os)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()
