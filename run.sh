#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window program plotari from the build
# folder, where its manual (使用説明/PlotariVer.html) is found.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

JOBS=${JOBS:-$(nproc)}
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$JOBS" --target plotari plotari-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset): the window program cannot start." >&2
  echo "  Without a display use the command-line program, for example:" >&2
  echo "  ./build/plotari-cli --form explicit --type 'x+1' --register --set x=4 --ok" >&2
  echo "  or run the window on a virtual display: xvfb-run -a ./run.sh" >&2
  exit 1
fi

cd build
exec ./plotari "$@"
