#!/usr/bin/env bash
# Formats every C++ source of src/, tests/, bench/ and fuzz/ with .clang-format, or with
# --check lists those that differ from it and exits 1 (./test.sh runs the check).
#   tools/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -E '^(src|tests|bench|fuzz)/')
if [ "${1:-}" = "--check" ]; then
  differ=()
  for f in "${files[@]}"; do
    clang-format --style=file "$f" | cmp -s "$f" - || differ+=("$f")
  done
  if [ ${#differ[@]} -gt 0 ]; then
    printf '%s\n' "${differ[@]}" >&2
    echo "format: ${#differ[@]} files differ from .clang-format (run tools/format.sh)" >&2
    exit 1
  fi
  echo "format: ${#files[@]} files as .clang-format has them"
else
  clang-format --style=file -i "${files[@]}"
fi
