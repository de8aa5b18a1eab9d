#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over every source of src/, against the compile
# commands of a configured build (default build/); exits 1 on any finding.
#   tools/tidy.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
[ -f "$BUILD/compile_commands.json" ] || { echo "tidy: no $BUILD/compile_commands.json" >&2; exit 1; }
mapfile -t files < <(git ls-files 'src/*.cpp')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# run-clang-tidy runs one clang-tidy per file, as many at once as there are cores.
if ! run-clang-tidy -quiet -p "$BUILD" -j "${JOBS:-$(nproc)}" "${files[@]/#/$PWD/}" >"$log" 2>&1; then
  grep -E "(warning|error):" "$log" | sort -u >&2 || tail -n 40 "$log" >&2
  echo "tidy: findings above (.clang-tidy)" >&2
  exit 1
fi
echo "tidy: ${#files[@]} files clean"
