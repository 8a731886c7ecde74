#!/usr/bin/env bash
# Builds a release from this tree's committed state into dist/:
#   Wethrix-<version>-win64.zip, Wethrix-<version>-setup.exe and SHA256SUMS.
# The version is the one in CMakeLists.txt. Uncommitted changes are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

# A clean tree: the committed sources alone, in a folder of their own.
work=$root/build/release
rm -rf "$work"
mkdir -p "$work/source"
git archive HEAD | tar -x -C "$work/source"
cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWETHRIX_TESTS=OFF \
  -DWETHRIX_SANITIZE=OFF -DCMAKE_TOOLCHAIN_FILE="$work/source/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$work/build" --target Wethrix
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
program=$work/build/Wethrix.exe
converter=$work/build/converter/nconvert.exe

# Size budgets of the shipped files, in bytes.
check_size() {
  local size
  size=$(stat -c %s "$1")
  echo "$(basename "$1"): $size bytes"
  [ "$size" -le "$2" ] || { echo "$(basename "$1") is larger than its budget of $2 bytes" >&2; exit 1; }
}
check_size "$program" $((1024 * 1024))
check_size "$converter" $((200 * 1024))

dist=$root/dist
rm -rf "$dist"
mkdir -p "$work/zip" "$dist"
cp "$program" "$work/zip/Wethrix.exe"
sed "s/@VERSION@/$version/g" "$work/source/release/README.txt" | sed 's/$/\r/' >"$work/zip/README.txt"
(cd "$work/zip" && zip -q -X -9 "$dist/Wethrix-$version-win64.zip" Wethrix.exe README.txt)
"$work/source/scripts/make-installer.sh" "$program" "$version" "$dist/Wethrix-$version-setup.exe"
(cd "$dist" && sha256sum "Wethrix-$version-win64.zip" "Wethrix-$version-setup.exe" >SHA256SUMS)
ls -l "$dist"
