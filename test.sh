#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything with warnings as errors,
# runs every test and clang-tidy over every source. Then builds everything again with clang
# under address and undefined-behaviour sanitizers, runs every test again there and fuzzes
# each fuzz target (fuzz/) for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

JOBS=${JOBS:-$(nproc)}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== format (.clang-format)"
./tools/format.sh --check

echo "== main build"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$JOBS"
(cd build && ctest --output-on-failure -j "$JOBS")

echo "== clang-tidy (.clang-tidy) over every source of src/"
JOBS=$JOBS ./tools/tidy.sh build

echo "== sanitizer and fuzz build (clang, address and undefined-behaviour sanitizers)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$JOBS"
# The round-trip property runs fewer random sequences under the sanitizers (slower there).
(cd build-san && LSAN_OPTIONS="suppressions=$PWD/../tools/lsan.supp" \
  ROUND_TRIP_SEQUENCES=${ROUND_TRIP_SEQUENCES_SAN:-300} ctest --output-on-failure -j "$JOBS")

# Each fuzz target for a bounded time from its seeds (fuzz/seeds/TARGET) and what earlier runs
# found (build-san/fuzz-corpus/TARGET); the DONE line gives its coverage (cov:, ft:).
FUZZ_SECONDS=${FUZZ_SECONDS:-15}
for target in formula range lines document cli roundtrip; do
  # Slow unwinding on malloc: the leak suppressions name functions (Qt's font fallbacks keep
  # fontconfig patterns), and fast unwinding stops in the libraries without frame pointers.
  # fuzz_document is the slowest under it, so it runs twice as long.
  seconds=$FUZZ_SECONDS
  case $target in
    document) max_len=16384; seconds=$((FUZZ_SECONDS * 2)) ;;
    cli) max_len=2000 ;;
    roundtrip) max_len=400 ;;
    *) max_len=600 ;;
  esac
  echo "== fuzzing $target (${seconds} s)"
  mkdir -p "build-san/fuzz-corpus/$target"
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" \
  ASAN_OPTIONS=fast_unwind_on_malloc=0 \
    ./build-san/fuzz/fuzz_$target -max_total_time="$seconds" \
    -max_len=$max_len -timeout=25 -rss_limit_mb=4096 -artifact_prefix="build-san/fuzz-$target-" \
    -print_final_stats=1 "build-san/fuzz-corpus/$target" "fuzz/seeds/$target" \
    > "build-san/fuzz-$target.log" 2>&1 || { tail -n 40 "build-san/fuzz-$target.log"; exit 1; }
  grep -E "DONE|stat::number_of_executed_units" "build-san/fuzz-$target.log" | tail -n 2
done
echo "fuzz: no crash"
