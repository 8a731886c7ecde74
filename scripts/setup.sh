#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; installs nothing twice.
# Usage: setup.sh [release|clang]: "release" adds what making, signing and checking a release needs,
# "clang" the second compiler, its sanitizer and fuzzer runtimes and clang-tidy.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
          g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-utils python3 procps git
          fonts-liberation fonts-wine  # Arial's metrics and the title-bar glyphs under Wine
          libgnutls30 openssl)  # Wine's TLS (only recommended by it), and the TLS stand-in's certificates
if [ "${1:-}" = release ]; then
  packages+=(nsis zip unzip  # the installer and the portable zip
             python3-yaml python3-jsonschema  # the winget and Scoop manifests, and their check
             osslsigncode openssl)  # signing, and the release test's throw-away certificate
fi
if [ "${1:-}" = clang ]; then
  packages+=(clang-16 libclang-rt-16-dev lld-16 clang-tidy-16)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another apt-get (an unattended upgrade, a second checkout's setup) may hold the lock for a while.
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
