#!/usr/bin/env bash
# Installs what the benchmarks need (gnuplot-nox and muparser as peers), builds the program in
# Release in build-release/ and prints one table of figures measured in one run:
#   ./bench.sh [RUNS]     (RUNS per row, 5 by default; medians are reported)
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}
missing=()
for pkg in gnuplot-nox python3; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target plotari-cli bench_formula bench_document bench_window >/dev/null
python3 bench/run_bench.py build-release "${1:-5}"
