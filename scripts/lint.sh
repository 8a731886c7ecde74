#!/usr/bin/env bash
# Runs clang-tidy-16 with the checks of .clang-tidy over every source of the native, the Windows
# and the fuzz build, and over every header of the tree they include. The Clang builds' compile
# commands are used, which clang-tidy reads as they are; a file that two builds compile alike (a
# platform-neutral source, a test program's unity file) is checked once. Prints each finding once
# and exits non-zero when there is any. Configures the builds; builds nothing.
# Usage: lint.sh [JOBS]   (default: one per core)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${1:-$(nproc)}
scripts/setup.sh clang
for preset in native-clang windows-clang fuzz; do cmake --preset "$preset" >/dev/null; done

work=build/lint
rm -rf "$work"
mkdir -p "$work"
python3 - "$root" >"$work/sources" <<'PY'
import json, os, sys
root = sys.argv[1]
seen = set()
for build in ("native-clang", "windows-clang", "fuzz"):
    folder = os.path.join(root, "build", build)
    for entry in json.load(open(os.path.join(folder, "compile_commands.json"))):
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        key = os.path.relpath(path, folder if path.startswith(folder + "/") else root)
        # GoogleTest's own sources; a file checked already; the include that must not build; a
        # resource script, which is no C++ for clang-tidy to read.
        if key.startswith("..") or key in seen or "/layering_probe.dir/" in key or key.endswith(".rc"):
            continue
        seen.add(key)
        print(folder, path)
PY
folders='app|bench|display|image|options|platform|tests|tools|tray|weather'
export header_filter="^$root/($folders)/"
# The findings in the logs given: diagnostics on our files. What the build generates (the unity
# files that gather a test program's sources) is not ours.
findings_in() {
  grep -hE '^/.*: (warning|error): ' "$@" | grep -v "^$root/build/"
}
# One source's run, its log in work/INDEX.log, so that parallel runs never interleave their lines.
# A file takes seconds (35 at most on two busy cores); a run that has not ended after two minutes
# has hung (seen twice, each time on another file and not again on it) and is made once more, so
# that one stall costs CI two minutes, not ten. A second
# hang is a finding, and so is any other end but a clean one that no finding of ours explains:
# a crash, or an error that names no file of ours, leaves the file unchecked.
lint_one() {  # FOLDER SOURCE INDEX
  local start=$SECONDS status try
  for try in 1 2; do
    status=0
    timeout 120 clang-tidy-16 -p "$1" --quiet --header-filter="$header_filter" "$2" >"$work/$3.log" 2>&1 ||
      status=$?
    [ "$status" -eq 124 ] || break
  done
  if [ "$status" -eq 124 ]; then
    echo "$root/scripts/lint.sh:1:1: error: clang-tidy did not end on $2 [lint-hang]" >>"$work/$3.log"
  elif [ "$status" -ne 0 ] && { [ "$status" -ne 1 ] || ! findings_in "$work/$3.log" >/dev/null; }; then
    echo "$root/scripts/lint.sh:1:1: error: clang-tidy ended with status $status on $2 [lint-failure]" \
      >>"$work/$3.log"
  fi
  echo "$((SECONDS - start)) s $2" >>"$work/times"
}
export -f findings_in lint_one
export work root
awk '{ print $1, $2, NR }' "$work/sources" | xargs -P "$jobs" -n 3 bash -c 'lint_one "$@"' _
findings_in "$work"/*.log | sed "s|^$root/||" | sort -u >"$work/findings" || true
count=$(wc -l <"$work/findings")
cat "$work/findings"
echo "lint: $(wc -l <"$work/sources") sources, $count findings"
[ "$count" -eq 0 ]
