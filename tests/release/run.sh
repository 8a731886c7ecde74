#!/usr/bin/env bash
# The release, made from a clean clone by scripts/release.sh, then installed, used, upgraded and
# removed under Wine in a fresh prefix of its own. Needs the windows build (release_tests.exe).
# WETHRIX_RELEASE_PORT and WETHRIX_RELEASE_DISPLAY keep it apart from ./test.sh's stand-in and
# display. The last line is "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
port=${WETHRIX_RELEASE_PORT:-18097}
export WETHRIX_XVFB_DISPLAY=${WETHRIX_RELEASE_DISPLAY:-97}
work=$root/build/release-test
prefix=$work/wineprefix
rm -rf "$work"
mkdir -p "$work"

fail() {
  echo "$1" >&2
  echo "0 passed, 1 failed"
  exit 1
}

git clone -q "$root" "$work/clone"
"$work/clone/scripts/release.sh" >"$work/release.log" 2>&1 || { cat "$work/release.log"; fail "release.sh failed"; }
version=$(sed -n 's/^project(Wethrix VERSION \([0-9.]*\).*/\1/p' "$work/clone/CMakeLists.txt")
dist=$work/clone/dist
for file in "Wethrix-$version-win64.zip" "Wethrix-$version-setup.exe" SHA256SUMS; do
  [ -f "$dist/$file" ] || fail "dist/$file is missing"
done
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
grep -E '(Wethrix|nconvert).exe: ' "$work/release.log"
unzip -q "$dist/Wethrix-$version-win64.zip" -d "$work/zip"

# A later release of the same program, to upgrade to.
next=${version%.*}.$((${version##*.} + 1))
scripts/make-installer.sh "$work/zip/Wethrix.exe" "$next" "$work/Wethrix-$next-setup.exe"

source scripts/display.sh
tests/standin/start.sh "$port" "$work/standin" release-key
trap 'tests/standin/stop.sh "$work/standin"; WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT
windows_path() { echo "Z:${1//\//\\}"; }
export WETHRIX_API_BASE=http://127.0.0.1:$port WETHRIX_STANDIN_KEY=release-key
export WETHRIX_VERSION=$version WETHRIX_NEXT_VERSION=$next
WETHRIX_ZIP_EXE=$(windows_path "$work/zip/Wethrix.exe")
WETHRIX_SETUP=$(windows_path "$dist/Wethrix-$version-setup.exe")
WETHRIX_SETUP_NEXT=$(windows_path "$work/Wethrix-$next-setup.exe")
export WETHRIX_ZIP_EXE WETHRIX_SETUP WETHRIX_SETUP_NEXT

# Through a file: Wine's desktop process keeps the standard handles it inherits.
status=0
scripts/wine-run.sh "$prefix" build/windows/tests/release/release_tests.exe --gtest_brief=1 \
  >"$work/release_tests.log" 2>&1 || status=1
cat "$work/release_tests.log"
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$work/release_tests.log")
failed=$(grep -c '^\[  FAILED  \] [A-Za-z]*\.' "$work/release_tests.log" || true)
[ -n "$passed" ] || [ "$failed" -gt 0 ] || failed=1
# The release's build and checks count as one more test.
echo "release: $((${passed:-0} + 1)) passed, ${failed:-0} failed"
exit $status
