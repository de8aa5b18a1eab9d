#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings on, and runs every test.
# Then builds everything again with clang under address and undefined-behaviour sanitizers,
# runs every test again there and fuzzes the formula path for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

JOBS=${JOBS:-$(nproc)}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== main build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"
(cd build && ctest --output-on-failure -j "$JOBS")

echo "== sanitizer and fuzz build (clang, address and undefined-behaviour sanitizers)"
CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLOTARI_FORMULA_ONLY=OFF -DPLOTARI_SANITIZE=ON -DPLOTARI_FUZZ=ON -DPLOTARI_BENCH=OFF >/dev/null
cmake --build build-san -j "$JOBS"
(cd build-san && LSAN_OPTIONS="suppressions=$PWD/../tools/lsan.supp" \
  ctest --output-on-failure -j "$JOBS")

echo "== fuzzing the formula path (${FUZZ_SECONDS:-30} s)"
mkdir -p build-san/fuzz-corpus
./build-san/fuzz/fuzz_formula -max_total_time="${FUZZ_SECONDS:-30}" -max_len=300 -timeout=25 \
  -artifact_prefix=build-san/ \
  -print_final_stats=0 build-san/fuzz-corpus fuzz/seeds 2>&1 | tail -n 3
echo "fuzz: no crash"
