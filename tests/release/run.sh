#!/usr/bin/env bash
# The release, made by scripts/release.sh from two clean clones in two folders, at two times, with
# two time zones and umasks, and compared byte for byte; its manifests checked; a signed release
# made with a throw-away certificate and verified; then installed, used, upgraded and removed
# under Wine in a fresh prefix of its own. Builds release_tests.exe in the windows build.
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
scripts/setup.sh release
cmake --preset windows >/dev/null
cmake --build --preset windows --target release_tests

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}
finish() {
  echo "release: $passed passed, $failed failed"
  exit $((failed == 0 ? 0 : 1))
}

# Usage: release CLONE TZ UMASK [VARIABLE=VALUE...]: scripts/release.sh in a fresh clone.
release() {
  local clone=$1 zone=$2 mask=$3
  shift 3
  if ! (umask "$mask" && git clone -q "$root" "$clone" && cd "$clone" &&
    env TZ="$zone" "$@" scripts/release.sh >release.log 2>&1); then
    cat "$clone/release.log" 2>/dev/null
    return 1
  fi
}
first=$work/first/clone
second=$work/elsewhere/the-second-clone
check "the release is made" release "$first" UTC 022
[ "$failed" -eq 0 ] || finish
check "a second release is made in another folder, later" release "$second" Pacific/Chatham 077
version=$(sed -n 's/^project(Wethrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=$first/dist
grep -E '(Wethrix|nconvert).exe: ' "$first/release.log"

# Every artefact, the built programs and the files of dist/ alike.
identical() {
  local status=0 file
  diff <(cd "$first/dist" && find . -type f | sort) <(cd "$second/dist" && find . -type f | sort) || status=1
  for file in build/release/build/Wethrix.exe build/release/build/converter/nconvert.exe \
    $(cd "$first" && find dist -type f | sort); do
    cmp "$first/$file" "$second/$file" || status=1
  done
  return $status
}
check "two releases of one commit are byte for byte the same" identical
check "SHA256SUMS matches the files" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
unzip -q "$dist/Wethrix-$version-win64.zip" -d "$work/zip"
check "the shipped programs import only KnownDLLs" tests/release/known_dlls_only.sh x86_64-w64-mingw32-objdump \
  "$work/zip/Wethrix.exe" "$dist/Wethrix-$version-setup.exe"
check "the manifests validate and agree with the artefacts" /usr/bin/python3 tests/release/check_manifests.py \
  --dist "$dist" --version "$version" --entry-out "$work/entry"

# Signing with a throw-away self-signed certificate, which verification is told to trust.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/signer.key" -out "$work/signer.pem" -days 2 \
  -subj "/CN=Wethrix release test" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" -out "$work/signer.pfx" \
  -passout pass:release-test
signed=$work/signed/clone
check "a signed release is made" release "$signed" UTC 022 WETHRIX_SIGN_PFX="$work/signer.pfx" \
  WETHRIX_SIGN_PASSWORD=release-test
verify() { osslsigncode verify -CAfile "$work/signer.pem" -in "$1" >"$work/verify.log" 2>&1 || { cat "$work/verify.log"; return 1; }; }
unzip -q "$signed/dist/Wethrix-$version-win64.zip" -d "$work/signed-zip"
check "the signed zip's Wethrix.exe verifies" verify "$work/signed-zip/Wethrix.exe"
check "the signed installer verifies" verify "$signed/dist/Wethrix-$version-setup.exe"
unsigned_again() {
  osslsigncode remove-signature -in "$work/signed-zip/Wethrix.exe" -out "$work/unsigned.exe" >/dev/null &&
    cmp "$work/unsigned.exe" "$work/zip/Wethrix.exe"
}
check "the signed Wethrix.exe less its signature is the unsigned release's" unsigned_again

# A later release of the same program, to upgrade to.
next=${version%.*}.$((${version##*.} + 1))
scripts/make-installer.sh "$work/zip/Wethrix.exe" "$next" "$work/Wethrix-$next-setup.exe"

source scripts/display.sh
tests/standin/start.sh "$port" "$work/standin" release-key
trap 'tests/standin/stop.sh "$work/standin"; WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT
windows_path() { echo "Z:${1//\//\\}"; }
export WETHRIX_API_BASE=http://127.0.0.1:$port WETHRIX_STANDIN_KEY=release-key
export WETHRIX_VERSION=$version WETHRIX_NEXT_VERSION=$next
while IFS='=' read -r name value; do export "WETHRIX_MANIFEST_$name=$value"; done <"$work/entry"
WETHRIX_ZIP_EXE=$(windows_path "$work/zip/Wethrix.exe")
WETHRIX_SETUP=$(windows_path "$dist/Wethrix-$version-setup.exe")
WETHRIX_SETUP_NEXT=$(windows_path "$work/Wethrix-$next-setup.exe")
export WETHRIX_ZIP_EXE WETHRIX_SETUP WETHRIX_SETUP_NEXT

# Through a file: Wine's desktop process keeps the standard handles it inherits.
scripts/wine-run.sh "$prefix" build/windows/tests/release/release_tests.exe --gtest_brief=1 \
  >"$work/release_tests.log" 2>&1 || true
cat "$work/release_tests.log"
gtest_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$work/release_tests.log")
gtest_failed=$(grep -c '^\[  FAILED  \] [A-Za-z]*\.' "$work/release_tests.log" || true)
[ -n "$gtest_passed" ] || [ "$gtest_failed" -gt 0 ] || gtest_failed=1
passed=$((passed + ${gtest_passed:-0}))
failed=$((failed + gtest_failed))

# The signed installer installs, and the uninstaller it writes is signed and runs. With _?= the
# uninstaller works in place and returns when done, leaving itself behind.
signed_install=$work/signed-install
signed_installs() {
  scripts/wine-run.sh "$prefix" "$signed/dist/Wethrix-$version-setup.exe" /S "/D=$(windows_path "$signed_install")" &&
    cmp "$signed_install/Wethrix.exe" "$work/signed-zip/Wethrix.exe" &&
    verify "$signed_install/Uninstall.exe" &&
    scripts/wine-run.sh "$prefix" "$signed_install/Uninstall.exe" /S "_?=$(windows_path "$signed_install")" &&
    [ ! -e "$signed_install/Wethrix.exe" ]
}
check "the signed installer installs a signed uninstaller that uninstalls" signed_installs
finish
