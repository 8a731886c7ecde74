#!/usr/bin/env bash
# Builds a release from this tree's committed state into dist/:
#   Wethrix-<version>-win64.zip, Wethrix-<version>-setup.exe, SHA256SUMS, BUILDINFO (the Debian
#   packages it was built with), and the package managers' manifests
#   winget/Kestrivon.Wethrix/<version>/*.yaml and scoop/wethrix.json.
# The version is the one in CMakeLists.txt; the newest section of CHANGELOG.md must name it.
# Uncommitted changes are left out. The same commit gives the same bytes wherever and whenever it
# is built: every time in the artefacts is the commit's (SOURCE_DATE_EPOCH).
#
# Set before publishing (docs/releasing.md, "Publishing"):
#   WETHRIX_DOWNLOAD_URL  where the release's files will be, each under <url>/<version>/; the
#                         manifests point there. Default: https://downloads.kestrivon.example/wethrix
#   WETHRIX_HOMEPAGE      the program's page named by the manifests.
#                         Default: https://kestrivon.example/wethrix
# Signing, when a certificate is at hand:
#   WETHRIX_SIGN_PFX, WETHRIX_SIGN_PASSWORD  a PKCS#12 file and its password: Wethrix.exe, the
#                         uninstaller and the installer are then signed (scripts/sign.sh)
#   WETHRIX_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server for the signatures (optional)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
download_url=${WETHRIX_DOWNLOAD_URL:-https://downloads.kestrivon.example/wethrix}
homepage=${WETHRIX_HOMEPAGE:-https://kestrivon.example/wethrix}
scripts/setup.sh release

# Nothing of the machine, the hour or the caller's settings gets into the bytes.
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
export TZ=UTC LC_ALL=C
umask 022

# A clean tree: the committed sources alone, in a folder of their own.
work=$root/build/release
rm -rf "$work"
mkdir -p "$work/source"
git archive HEAD | tar -x -C "$work/source"
source=$work/source

version=$(sed -n 's/^project(Wethrix VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
changelog=$(sed -n 's/^## \([0-9][0-9.]*\).*/\1/p' "$source/CHANGELOG.md" | head -1)
if [ "$changelog" != "$version" ]; then
  echo "CHANGELOG.md's newest section is '$changelog', not $version (CMakeLists.txt): add it first" >&2
  exit 1
fi

cmake -S "$source" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWETHRIX_TESTS=OFF \
  -DWETHRIX_SANITIZE=OFF -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$work/build" --target Wethrix
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

# The program as shipped: signed before it goes into the zip and the installer.
mkdir -p "$work/zip"
cp "$program" "$work/zip/Wethrix.exe"
if [ -n "${WETHRIX_SIGN_PFX:-}" ]; then
  "$source/scripts/sign.sh" "$work/zip/Wethrix.exe"
fi
sed "s/@VERSION@/$version/g" "$source/release/README.txt" | sed 's/$/\r/' >"$work/zip/README.txt"

dist=$root/dist
rm -rf "$dist"
mkdir -p "$dist"
zip_name=Wethrix-$version-win64.zip
setup_name=Wethrix-$version-setup.exe
# The zip's entries: in a fixed order, with the commit's time, fixed modes and no extra fields.
chmod 644 "$work/zip/Wethrix.exe" "$work/zip/README.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$work/zip/Wethrix.exe" "$work/zip/README.txt"
(cd "$work/zip" && zip -q -X -9 "$dist/$zip_name" Wethrix.exe README.txt)
"$source/scripts/make-installer.sh" "$work/zip/Wethrix.exe" "$version" "$dist/$setup_name"
(cd "$dist" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)
dpkg-query -W -f='${Package} ${Version}\n' cmake ninja-build g++-mingw-w64-x86-64-posix \
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev nsis zip python3-yaml >"$dist/BUILDINFO"

# Debian's own interpreter, which sees Debian's python3-yaml.
/usr/bin/python3 "$source/scripts/write-manifests.py" --dist "$dist" --version "$version" \
  --installer-script "$source/release/wethrix.nsi" --download-url "$download_url/$version" \
  --homepage "$homepage" --date "$SOURCE_DATE_EPOCH"
find "$dist" -type f | sort | xargs ls -l
