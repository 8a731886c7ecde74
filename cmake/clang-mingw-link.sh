#!/usr/bin/env bash
# Runs a link of the Clang cross build (cmake/clang-mingw-w64-x86_64.cmake) and passes on what it
# says, less one notice: GNU ld reports each constant that both Clang's objects and GCC's
# libstdc++ carry (a type's name or vtable, string::npos) because GCC pads its copy to 16 bytes
# and Clang does not. The bytes are the same and ld keeps one copy; every other line is kept.
status=0
output=$("$@" 2>&1) || status=$?
padding='/libstdc\+\+\.a\([^)]+\): duplicate section `[^'\'']+'\'' has different size$'
[ -z "$output" ] || printf '%s\n' "$output" | grep -Ev "$padding" >&2 || true
exit $status
