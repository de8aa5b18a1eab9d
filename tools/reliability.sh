#!/usr/bin/env bash
# The long checks of the reliability section, run once and recorded in the README:
#   tools/reliability.sh [CYCLES]   (10000 by default)
# 1. CYCLES register / draw / delete / save / open cycles in one plotari-cli run, against the
#    same with 100 cycles: the peak memory must not grow with the number of cycles.
# 2. The largest inputs the limits allow, with their time and peak memory.
# 3. valgrind memcheck on a script that draws each form, opens, saves, writes CSV, every
#    picture format and a PDF print.
# Uses the main build (build/); installs valgrind and GNU time when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi; }
for pkg in valgrind time; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$pkg"
  fi
done
CLI=./build/plotari-cli
CYCLES=${1:-10000}
WORK=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen
trap 'rm -rf "$WORK"' EXIT

$CLI --plot 'explicit:sin(x):x(-5,5)[200]' --save "$WORK/base.dat"
cycles() {
  local n=$1 args=()
  for ((i = 0; i < n; i++)); do
    args+=(--open "$WORK/base.dat" --plot "explicit:cos(x)*$i:x(-5,5)[200]" --select 0 --delete
           --save "$WORK/cycle.dat")
  done
  /usr/bin/time -f "%e s, peak %M KiB" "$CLI" "${args[@]}" 2>&1 >/dev/null | tail -n 1
}
echo "cycles: 100 → $(cycles 100)"
echo "cycles: $CYCLES → $(cycles "$CYCLES")"

largest() {
  echo "$1: $(/usr/bin/time -f "%e s, peak %M KiB" "$CLI" --plot "$2" --png "$WORK/big.png" 2>&1 | tail -n 1)"
}
largest "explicit, 1 000 000 divisions" 'explicit:sin(x)*cos(x)+x/3:x(-10,10)[1000000]'
largest "parametric, 1 000 000 divisions" 'param:x=cos(3*t):y=sin(2*t):t(0,6.283185)[1000000]'
largest "implicit, 9999 × 9999 divisions (10^8 grid points, the limit)" \
  'implicit:0=x^2+y^2-1:x(-1.5,1.5)[9999]:y(-1.5,1.5)[9999]'

echo "memcheck:"
valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
  --suppressions=tools/valgrind.supp --quiet \
  "$CLI" --plot 'explicit:sin(x):x(-5,5)[100]' --plot 'param:x=cos(t):y=sin(2*t):t(0,6.28)[100]' \
  --plot 'polar:r=1+cos(t):t(0,6.28)[100]' --plot 'implicit:0=x^2+y^2-1:x(-1.5,1.5)[40]:y(-1.5,1.5)[40]' \
  --save "$WORK/m.dat" --open "$WORK/m.dat" --csv "$WORK/m.csv" --bmp "$WORK/m.bmp" \
  --jpg "$WORK/m.jpg" --png "$WORK/m.png" --svg "$WORK/m.svg" --print-pdf "$WORK/m.pdf" \
  > "$WORK/memcheck.out" 2> "$WORK/memcheck.err" && status=0 || status=$?
grep -v '^\(CAPTION\|plotari\)' "$WORK/memcheck.err" | tail -n 30 || true
echo "memcheck exit status $status (99: errors found)"
